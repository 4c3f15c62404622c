#pragma once

#include "Units.h"

#include <QPainter>
#include <QSize>

class QPagedPaintDevice;
class QPicture;

namespace iksa {

// One print job on a paged device (printer or PDF): the device gets the
// paper as a full-page layout, so that its origin is the sheet's corner and
// not the corner of its printable area, and each page is played over the
// whole sheet.
class PageJob {
public:
    // Throws UserError(startFailure) when the device refuses to start the job.
    PageJob(QPagedPaintDevice& device, const QString& startFailure, TPaperType paper,
            TPrinterOrientation orientation, QSize paperUnits, int unitsPerInch,
            QSize customLoMetric = {});
    ~PageJob();

    // Plays a page over the whole current sheet.
    void playPage(const QPicture& page);
    // Moves to the next sheet; throws UserError when the device cannot.
    void startNextSheet();
    void finish();

private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    QSize paperUnits_;
    int unitsPerInch_;
};

} // namespace iksa
