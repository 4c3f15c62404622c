#pragma once

#include <QImage>

namespace iksa {

// The two pictures of the report window, drawn by tools/report-pictures and
// built into the program (report/pictures/).
QImage reportLogo();  // Image2: the banner, 400 × 74, 16 colours
QImage reportCurve(); // Image1: the normal curve with the score ranges, 2282 × 1361

} // namespace iksa
