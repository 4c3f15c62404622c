#pragma once

#include "records/ExamineeRecord.h"

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace iksa::app {

// The program's pictures, drawn at run time: no bitmap files.
class Pictures {
public:
    static QPixmap splash(QSize size); // the splash window's picture
    static QPixmap logo(QSize size);   // the header logo, 401 × 81
    static QPixmap startArrow();       // beside the start item ("ZAČÁTEK")
    static QPixmap emblem(int size);   // the window and desktop icon, size × size
    static QIcon windowIcon();
    static QIcon navigatorIcon(NavigatorButton button);
};

} // namespace iksa::app
