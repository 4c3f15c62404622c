#pragma once

#include "report/ProtocolPages.h"
#include "report/ReportCanvas.h"

namespace iksa {

class PageSurface;

// Draws the examinee's protocol, three A4 pages, on a page surface: into
// the preview or onto the printer, as the surface's DirectPrint says.
class ReportComposer {
public:
    ReportComposer(PageSurface& surface, ReportSources sources);

    // Begins the document, draws pages 1, 2 and 3 and ends it; true when
    // the protocol is complete. An age outside 16 … 100 ends the document on
    // page 3 after its message (false). A failure on the way (a text that is
    // not a number, UserError) ends a preview with the pages drawn so far and
    // drops a print job, so that nothing reaches the printer and the next
    // document starts afresh; the failure is then passed on.
    bool Rozbal_data_IKSA();

private:
    void startPage(int number);

    PageSurface& surface_;
    ReportSources sources_;
    ReportCanvas canvas_;
};

} // namespace iksa
