#pragma once

#include <QPicture>
#include <QSize>

class QPainter;

namespace iksa {

// A recorded page: a QPicture whose device is the sheet itself, measured in
// page units, with as many dots per inch as the units have per inch. A font
// of 8 pt therefore comes out 8 pt tall wherever the page is played, without
// any scaling by the drawing code.
class PagePicture : public QPicture {
public:
    PagePicture(QSize paperUnits, int unitsPerInch);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize paper_;
    int unitsPerInch_;
};

// Plays a recorded page so that the sheet (0, 0, paper width, paper height)
// fills `target`, given in the painter's current coordinates.
void playPage(QPainter& painter, const QPicture& page, QSize paperUnits, const QRectF& target);

} // namespace iksa
