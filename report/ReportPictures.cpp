#include "report/ReportPictures.h"

namespace iksa {

QImage reportLogo() {
    return QImage(QStringLiteral(":/iksa/report/logo-banner.png"));
}

QImage reportCurve() {
    return QImage(QStringLiteral(":/iksa/report/normal-curve.png"));
}

} // namespace iksa
