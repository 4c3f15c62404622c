#pragma once

#include <QString>
#include <QStringList>

namespace iksa::app {

// The texts that name the program: the window caption, the splash, the about
// box and every picture that carries a name (the header logo, the protocol's
// banner). The program names only itself.
class ProductInfo {
public:
    static QString productName();    // "IKSA-III"
    static QString edition();        // the product name with its edition and country mark
    static QString scaleName();      // the Czech name of the scale
    static QString authorLine();     // the makers of the program
    static QString versionMark();    // "verze 3.0.0"
    static QStringList aboutLines(); // the three lines of authorship
    // While the built-in norm set is illustrative, the caption and the about
    // box say so.
    static bool illustrativeNorms();
    static QString normsNotice(); // "ilustrativní normy – nejsou určeny pro klinické použití"
    static QString mainCaption();
};

} // namespace iksa::app
