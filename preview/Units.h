#pragma once

#include <QPoint>
#include <QSize>
#include <cstdint>

namespace iksa {

// Coordinate units of a page surface. Every conversion goes through the
// number of units per inch of each side.
enum class TUnits {
    mmPixel,     // pixels of the screen (ScreenDpi per inch)
    mmLoMetric,  // 0.1 mm
    mmHiMetric,  // 0.01 mm, the page units of the protocol
    mmLoEnglish, // 0.01 inch
    mmHiEnglish, // 0.001 inch
    mmTWIPS,     // 1/1440 inch
    mmPoints,    // 1/72 inch
};

// Screen pixels per inch used for every pixel conversion (picture sizes, the
// natural size of the shown sheet). Fixed so that results do not depend on
// the monitor or on the offscreen platform.
inline constexpr int ScreenDpi = 96;

// number × numerator ÷ denominator with a 64-bit intermediate, rounded to the
// nearest integer (halves away from zero). A zero denominator or a result
// outside int gives -1, as the Windows function of that name does.
int mulDiv(int number, int numerator, int denominator);

int unitsPerInch(TUnits units);

// A value in units `from` expressed in units `to`; between mmLoMetric and
// mmHiMetric the factor is exactly 10.
int convertValue(int value, TUnits from, TUnits to);
QPoint convertPoint(int x, int y, TUnits from, TUnits to);

// Paper sizes. The enumerators carry the Windows paper codes, whose sizes
// Qt knows (QPageSize::id(windowsId)); the protocol uses only pA4.
enum class TPaperType {
    pLetter = 1,
    pLegal = 5,
    pA3 = 8,
    pA4 = 9,
    pA5 = 11,
    pB5 = 13,
    pCustom = 256,
};

enum class TPrinterOrientation { poPortrait, poLandscape };

// The paper's width and height in the given units; landscape swaps them.
// pCustom takes customSize (in 0.1 mm).
QSize paperSize(TPaperType type, TPrinterOrientation orientation, TUnits units,
                QSize customSize = {});

} // namespace iksa
