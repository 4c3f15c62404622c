#include "norms/NormTypes.h"

namespace iksa {

TableSet TableSet::band(int band) {
    Q_ASSERT(band >= 1 && band <= BandCount);
    return TableSet(band - 1);
}

TableSet TableSet::reference() {
    return TableSet(BandCount);
}

std::optional<TableSet> TableSet::fromCode(const QString& code) {
    if (code == QLatin1String("R"))
        return reference();
    bool ok = false;
    const int number = code.toInt(&ok);
    if (!ok || number < 1 || number > BandCount || code != QString::number(number))
        return std::nullopt;
    return band(number);
}

std::optional<TableSet> TableSet::fromIndex(int index) {
    if (index < 0 || index >= Count)
        return std::nullopt;
    return TableSet(index);
}

QString TableSet::code() const {
    return isReference() ? QStringLiteral("R") : QString::number(bandNumber());
}

const std::array<CompositeInfo, 7>& compositeInfos() {
    static const std::array<CompositeInfo, 7> infos{{
        {Composite::VIQ, "VIQ", 6, "VER_SVS"},
        {Composite::PIQ, "PIQ", 5, "PER_SVS"},
        {Composite::CIQ, "CIQ", 11, "CIQ_SVS"},
        {Composite::IVP, "IVP", 3, "VP_SVS"},
        {Composite::IPU, "IPU", 3, "PU_SVS"},
        {Composite::IPP, "IPP", 3, "PP_SVS"},
        {Composite::IRZ, "IRZ", 2, "RZ_SVS"},
    }};
    return infos;
}

const CompositeInfo& compositeInfo(Composite composite) {
    return compositeInfos()[static_cast<size_t>(composite)];
}

std::optional<Composite> compositeFromCode(const QString& code) {
    for (const CompositeInfo& info : compositeInfos())
        if (code == QLatin1String(info.code))
            return info.composite;
    return std::nullopt;
}

namespace {

// Rows as bit masks, row 1 in bit 0.
constexpr quint16 allRows = 0x3fff;
constexpr quint16 without(quint16 mask, std::initializer_list<int> rows) {
    for (const int row : rows)
        mask = static_cast<quint16>(mask & ~(1U << (row - 1)));
    return mask;
}

} // namespace

const std::array<quint16, MeanBasisCount>& meanBasisRows() {
    static constexpr std::array<quint16, MeanBasisCount> rows{
        allRows,
        without(allRows, {7, 13, 14}),
        without(allRows, {7, 13, 14}),
        without(allRows, {6, 12, 14}),
        without(allRows, {14}),
        allRows,
    };
    return rows;
}

QString ageBandFamilyCode(AgeBandFamily family) {
    switch (family) {
    case AgeBandFamily::Scaled:
        return QStringLiteral("scaled");
    case AgeBandFamily::Comparison:
        return QStringLiteral("comparison");
    case AgeBandFamily::Span:
        return QStringLiteral("span");
    case AgeBandFamily::Symbol:
        return QStringLiteral("symbol");
    }
    return {};
}

QString symbolProcedureField(SymbolProcedure procedure) {
    switch (procedure) {
    case SymbolProcedure::Pairing:
        return QStringLiteral("PAR_3");
    case SymbolProcedure::FreeRecall:
        return QStringLiteral("VOL_VYB_3");
    case SymbolProcedure::Copy:
        return QStringLiteral("C_HS_OP_3");
    }
    return {};
}

} // namespace iksa
