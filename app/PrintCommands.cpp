#include "PrintCommands.h"

#include "Guard.h"
#include "norms/CompiledNorms.h"
#include "preview/Form2.h"
#include "preview/PrintPreview.h"
#include "report/ProtocolPrinting.h"
#include "report/ReportComposer.h"
#include "report/ReportPictures.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace iksa::app {

namespace {

// The screen cursor: one application-wide override shape that every window
// shows, replaced rather than stacked.
void setScreenCursor(Qt::CursorShape shape) {
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(QCursor(shape));
    else
        QApplication::setOverrideCursor(QCursor(shape));
}

} // namespace

PrintCommands::PrintCommands(ExamineeRecord& record, const EvaluationOptions& options,
                             EvaluationPage& page, UserMessages& messages, TForm2& form2,
                             std::function<void()> evaluate, QObject* parent)
    : QObject(parent)
    , record_(record)
    , options_(options)
    , page_(page)
    , messages_(messages)
    , form2_(form2)
    , evaluate_(std::move(evaluate)) {
    form2_.setImage1(reportCurve());
    form2_.setImage2(reportLogo());
    form2_.setMessages(&messages_);
}

void PrintCommands::setLabel1Visible(bool visible) {
    if (label1_)
        label1_->setVisible(visible);
}

void PrintCommands::Button3Click() {
    setLabel1Visible(false);
    evaluate_();
    form2_.showReport();
    form2_.PrintPreview1->setDirectPrint(false);
    form2_.setPdfFileName(protocolPdfFileName(record_));
    Tisk_IKSA();
}

void PrintCommands::Button4Click() {
    setScreenCursor(Qt::WaitCursor);
    setLabel1Visible(false);
    // The label and the cursor come back even when the printer fails: the
    // failure has been shown by then and the program carries on.
    struct Restore {
        PrintCommands& commands;
        ~Restore() {
            commands.setLabel1Visible(true);
            setScreenCursor(Qt::ArrowCursor);
        }
    } restore{*this};
    evaluate_();
    form2_.PrintPreview1->setDirectPrint(true);
    Tisk_IKSA();
}

void PrintCommands::Vhodnocen1Click() {
    Button4Click();
}

void PrintCommands::Tisk_IKSA() {
    guarded(messages_, [&] {
        ReportComposer composer(form2_.PrintPreview1->surface(),
                                {record_, options_, page_, messages_, compiledNormSet(),
                                 form2_.image2(), form2_.image1()});
        iksa::Tisk_IKSA(composer, record_, messages_);
    });
}

} // namespace iksa::app
