#include "ProductInfo.h"

#include "norms/CompiledNorms.h"
#include "records/UserError.h"

namespace iksa::app {

QString ProductInfo::productName() {
    return QStringLiteral("IKSA-III");
}

QString ProductInfo::edition() {
    return QStringLiteral("IKSA-III  CZ");
}

QString ProductInfo::scaleName() {
    return QStringLiteral("Individuální kognitivní škála pro dospělé");
}

QString ProductInfo::authorLine() {
    return QStringLiteral("Vývojový tým IKSA-III");
}

QString ProductInfo::versionMark() {
    return QStringLiteral("verze %1").arg(QStringLiteral(IKSA_VERSION));
}

QStringList ProductInfo::aboutLines() {
    return {QStringLiteral("Vývoj: tým IKSA-III"),
            QStringLiteral("Počítačové vyhodnocení subtestů, IQ a indexových skórů"),
            QStringLiteral("Program pro psychologickou praxi, %1").arg(versionMark())};
}

bool ProductInfo::illustrativeNorms() {
    return !normsNotice().isEmpty();
}

QString ProductInfo::normsNotice() {
    // A set that cannot be read names nothing; the evaluation reports it.
    try {
        return illustrativeNormsNotice();
    } catch (const UserError&) {
        return QString();
    }
}

QString ProductInfo::mainCaption() {
    QString caption = QStringLiteral("%1  –  %2  –  %3  –  %4")
                          .arg(productName(), scaleName(), authorLine(), versionMark());
    if (illustrativeNorms())
        caption += QStringLiteral("   [%1]").arg(normsNotice());
    return caption;
}

} // namespace iksa::app
