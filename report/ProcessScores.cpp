#include "report/ProcessScores.h"

#include "norms/NormSet.h"
#include "records/ExamineeRecord.h"
#include "records/TextConversion.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

namespace iksa {

namespace {

const QString forwardSpanField = QStringLiteral("RAD_DOP_8");
const QString backwardSpanField = QStringLiteral("RAD_DOZ_8");

QString entry(const QStringList& list, int position) {
    if (position < 0 || position >= list.size())
        return QStringLiteral("-");
    return list[position];
}

// An empty entry: the message, and the entry becomes "0".
void requireEntry(ExamineeRecord& record, UserMessages& messages, const QString& field,
                  const QString& message) {
    if (!record.text(field).isEmpty())
        return;
    messages.show(message);
    record.setText(field, QStringLiteral("0"));
}

int wholeNumber(const ExamineeRecord& record, const QString& field) {
    const QString text = record.text(field);
    try {
        return toWholeNumber(text);
    } catch (const UserError&) {
        throw UserError(QStringLiteral("„%1“ v poli %2 není platné celé číslo.").arg(text, field));
    }
}

} // namespace

DigitSpanLists::DigitSpanLists(const NormSet& norms, int age)
    : band_(norms.nearestBandOf(AgeBandFamily::Span, age))
    , forward_(norms.spanCumulativeList(band_, SpanDirection::Forward))
    , backward_(norms.spanCumulativeList(band_, SpanDirection::Backward))
    , difference_(norms.spanDifferenceCumulativeList(band_)) {}

QString DigitSpanLists::Zapis_KUM_proc_D(int span) const {
    return span < 0 || span > 9 ? QStringLiteral("-") : entry(forward_, 9 - span);
}

QString DigitSpanLists::Zapis_KUM_proc_P(int span) const {
    return span < 0 || span > 9 ? QStringLiteral("-") : entry(backward_, 9 - span);
}

QString DigitSpanLists::Zapis_KUM_proc_ROZ(int difference) const {
    return difference < -6 || difference > 7 ? QStringLiteral("-")
                                             : entry(difference_, 7 - difference);
}

QString emptySpanMessage() {
    return QStringLiteral("Chybná hodnota max  řady  cisel dopredu");
}

DigitSpanRows analyseDigitSpan(ExamineeRecord& record, UserMessages& messages,
                               const NormSet& norms) {
    const DigitSpanLists lists(norms, record.integer(QStringLiteral("VEK")));
    DigitSpanRows rows;
    rows.forward = record.text(forwardSpanField);
    rows.backward = record.text(backwardSpanField);
    // Both entries carry the same message.
    requireEntry(record, messages, forwardSpanField, emptySpanMessage());
    requireEntry(record, messages, backwardSpanField, emptySpanMessage());
    const int forward = wholeNumber(record, forwardSpanField);
    const int backward = wholeNumber(record, backwardSpanField);
    const int difference = forward - backward;
    rows.difference = QString::number(difference);
    rows.forwardCumulative = lists.Zapis_KUM_proc_D(forward);
    rows.backwardCumulative = lists.Zapis_KUM_proc_P(backward);
    rows.differenceCumulative = lists.Zapis_KUM_proc_ROZ(difference);
    return rows;
}

QString Zapis_KUMUL_roz(int score, const SymbolThresholds& thresholds) {
    const int m = score < 0 ? -score : score;
    const auto [t1, t2, t5, t10, t25, t50] = thresholds;
    if (m > t50)
        return QStringLiteral(">50%");
    if (m == t50)
        return QStringLiteral("50%");
    if (m > t25)
        return QStringLiteral(">25%");
    if (m == t25)
        return QStringLiteral("25%");
    if (t10 < m && m < t25)
        return QStringLiteral(">10%");
    if (m == t10)
        return QStringLiteral("10%");
    if (t5 < m && m < t10)
        return QStringLiteral(">5%");
    if (m == t5)
        return QStringLiteral("5%");
    if (t2 < m && m < t5)
        return QStringLiteral("<5%");
    if (m == t2)
        return QStringLiteral("2%");
    if (t1 < m && m < t2)
        return QStringLiteral("<2%");
    if (m == t1)
        return QStringLiteral("1%");
    return QStringLiteral("<1%");
}

QString emptySymbolMessage(SymbolProcedure procedure) {
    switch (procedure) {
    case SymbolProcedure::Pairing:
        return QStringLiteral("Chybná hodnota 3.Symboly párování");
    case SymbolProcedure::FreeRecall:
        return QStringLiteral("Chybná hodnota 3.Symboly  Volné vybavení");
    case SymbolProcedure::Copy:
        break;
    }
    return QStringLiteral("Chybná 3.Symboly  opis HS");
}

std::array<SymbolOptionRow, 3> analyseSymbolOptions(ExamineeRecord& record, UserMessages& messages,
                                                    const NormSet& norms) {
    constexpr std::array<SymbolProcedure, 3> procedures{
        SymbolProcedure::Pairing, SymbolProcedure::FreeRecall, SymbolProcedure::Copy};
    const int band =
        norms.nearestBandOf(AgeBandFamily::Symbol, record.integer(QStringLiteral("VEK")));
    std::array<SymbolOptionRow, 3> rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].field = symbolProcedureField(procedures[i]);
        rows[i].raw = record.text(rows[i].field);
    }
    for (size_t i = 0; i < rows.size(); ++i)
        requireEntry(record, messages, rows[i].field, emptySymbolMessage(procedures[i]));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].cumulative = Zapis_KUMUL_roz(wholeNumber(record, rows[i].field),
                                             norms.symbolOptionThresholds(band, procedures[i]));
    return rows;
}

} // namespace iksa
