#include "Program.h"

#include "AboutBox.h"
#include "DeleteConfirmation.h"
#include "Guard.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ScreenCentre.h"
#include "SearchWindow.h"
#include "SplashWindow.h"
#include "backup/BackupCommands.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

#ifdef IKSA_HAVE_REPORT_WINDOW
#include "EvaluationTab.h"
#include "PrintCommands.h"
#include "SubtestPage.h"
#include "preview/Form2.h"
#endif

namespace iksa::app {

Program::Program(UserMessages* messages, bool withSplash)
    : withSplash_(withSplash)
    , boxes_(std::make_unique<MessageBoxes>())
    , messages_(messages ? messages : boxes_.get()) {}

Program::~Program() {
    // The windows go before the data module; the tables close without
    // storing what was not stored.
    form1_.reset();
    form2_.reset();
    form5_.reset();
    vyhledej_.reset();
    oprogramu_.reset();
    record_.reset();
    data_.reset();
}

void Program::start() {
    SplashWindow* splash = nullptr;
    if (withSplash_) {
        splash = new SplashWindow;
        splash->showAndPaint();
    }

    // A restore that the end of the last run cut off is undone before the
    // tables are first opened.
    guarded(*messages_, [] { BackupCommands::recoverInterruptedRestore(QDir::currentPath()); });

    // The data module object exists before the windows so that their boxes
    // can be bound to its tables; the tables stay closed until the main
    // window becomes active.
    data_ = std::make_unique<DataModule>();
    data_->setObjectName(QStringLiteral("DataModule3"));
    record_ = std::make_unique<ExamineeRecord>(*data_);

    form1_ = std::make_unique<MainWindow>(*data_, *record_, *messages_);
    boxes_->setParent(form1_.get());
    form1_->setSplash(splash);
#ifdef IKSA_HAVE_REPORT_WINDOW
    form2_ = std::make_unique<TForm2>();
    form2_->setAttribute(Qt::WA_QuitOnClose, false);
    // Owned by the main window, so they go before the report window.
    auto* print = new PrintCommands(
        *record_, form1_->options(), form1_->evaluationPage(), *messages_,
        static_cast<TForm2&>(*form2_),
        [form1 = form1_.get()] { form1->evaluationTab()->Button2Click(); }, form1_.get());
    print->setObjectName(QStringLiteral("PrintCommands"));
    print->setLabel1(form1_->subtestPage(1)->findChild<QWidget*>(QStringLiteral("Label1")));
    form1_->setPrintCommands(print);
#endif
    form5_ = std::make_unique<DeleteConfirmation>(*record_, *messages_);
    vyhledej_ = std::make_unique<SearchWindow>(*record_, *messages_);
    oprogramu_ = std::make_unique<AboutBox>();
    for (QWidget* window :
         {static_cast<QWidget*>(form5_.get()), static_cast<QWidget*>(vyhledej_.get()),
          static_cast<QWidget*>(oprogramu_.get())})
        window->setAttribute(Qt::WA_QuitOnClose, false);
    form1_->setDeleteConfirmation(form5_.get());
    form1_->setSearchWindow(vyhledej_.get());
    form1_->setAboutBox(oprogramu_.get());

    centreOnScreen(*form1_);
    form1_->show();
    form1_->raise();
    form1_->activateWindow();
}

} // namespace iksa::app
