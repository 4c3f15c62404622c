#pragma once

#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QTabWidget;
class QTimer;
class QToolButton;
class QPushButton;

namespace iksa {
class DataModule;
class ExamineeRecord;
class UnsavedWorkKeeper;
class UserMessages;
} // namespace iksa

namespace iksa::app {

class AboutBox;
class BackupMenu;
class DataSource;
class DBEdit;
class DBNavigator;
class DeleteConfirmation;
class DocumentViewer;
class EntryWiring;
class EvaluationTab;
class ExamineeListWindow;
class MaintenancePage;
class PageTabs;
class PrintCommands;
class SearchWindow;
class SubtestPage;

// "Form1", the main window: the header with the examinee's identification,
// the main navigator and the delete button; the page control with the 14
// subtest pages, the evaluation page and the hidden maintenance page; the
// main menu. It opens the tables each time it becomes active.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int evaluationPageIndex = 14;  // TabSheet15
    static constexpr int maintenancePageIndex = 15; // Udrzba

    MainWindow(DataModule& data, ExamineeRecord& record, UserMessages& messages,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The windows made at start-up that the main window opens.
    void setSplash(QWidget* splash);
    void setDeleteConfirmation(DeleteConfirmation* form5) { form5_ = form5; }
    void setSearchWindow(SearchWindow* vyhledej) { vyhledej_ = vyhledej; }
    void setAboutBox(AboutBox* oprogramu) { oprogramu_ = oprogramu; }
    // "Preview", "Tisk" and the menu "Tisk" › "Vyhodnocení" run these.
    void setPrintCommands(PrintCommands* commands) { printCommands_ = commands; }
    DocumentViewer* documentViewer();   // Form4, made before its first use
    ExamineeListWindow* examineeList(); // made at its first use

    // Event handlers.
    void FormActivate(); // opens Table3, Table2, Table1; an open table stays
    void Timer1Timer();  // hides and releases the splash
    void PageControl1Change();
    void PageControl1Enter();
    void TabSheet15Show();
    void DBEdit3Exit();      // the age check
    void Button1Click();     // "-": the delete confirmation
    void Vyhledat1Click();   // the search window
    void showExamineeList(); // "Seznam vyšetřených" (Ctrl+L)
    void Oprogramu1Click();
    void FormulHlednsymbol1Click(); // "Tisk" › "Formulář Hledání symbolů "

    // The print commands (PrintCommands) and the backup menu (BackupMenu).
    void Button3Click();    // "Preview"
    void Button4Click();    // "Tisk"
    void Vhodnocen1Click(); // "Tisk" › "Vyhodnocení"
    void Export1Click();    // "Záloha dat" › "export"
    void Import1Click();    // "Záloha dat" › "import"
    void Exportdat1Click(); // "Export dat"
    BackupMenu* backupMenu() const { return backupMenu_; }

    // While a restore has the tables closed, activation does not open them.
    void setTableOpeningHeld(bool held) { tableOpeningHeld_ = held; }

    // Whether the current record holds typed changes not yet stored.
    bool hasUnstoredChanges() const;
    // Keeps typed changes in the data directory's recovery file; it starts
    // once the tables have first opened and a file left by a crash has been
    // offered back.
    UnsavedWorkKeeper* unsavedWorkKeeper() const { return keeper_; }

    QTabWidget* pageControl() const { return pageControl_; }
    PageTabs* pageTabs() const { return pageTabs_; }
    SubtestPage* subtestPage(int subtest) const { return subtestPages_.at(subtest - 1); }
    EvaluationTab* evaluationTab() const { return evaluationTab_; }
    DBNavigator* navigator() const { return navigator_; }
    MaintenancePage* maintenancePage() const { return maintenancePage_; }
    DataSource& dataSource(int table) const { return *sources_.at(table - 1); }
    bool isTabHighlighted(int index) const;
    EvaluationOptions& options() { return options_; }
    EvaluationPage& evaluationPage() { return page_; }
    QTimer* timer1() const { return timer1_; }
    QWidget* splash() const { return splash_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildHeader();
    void buildPages();
    void buildMenu();
    void highlightTab(int index);
    void focusChanged(QWidget* old, QWidget* now);
    bool inPageControl(QWidget* widget) const;

    DataModule& data_;
    ExamineeRecord& record_;
    UserMessages& messages_;
    EvaluationOptions options_;
    EvaluationPage page_;
    std::array<DataSource*, 3> sources_{};
    EntryWiring* wiring_ = nullptr;

    DBEdit* ageBox_ = nullptr;
    DBNavigator* navigator_ = nullptr;
    QTabWidget* pageControl_ = nullptr;
    QList<SubtestPage*> subtestPages_;
    EvaluationTab* evaluationTab_ = nullptr;
    MaintenancePage* maintenancePage_ = nullptr;
    PageTabs* pageTabs_ = nullptr;
    QTimer* timer1_ = nullptr;
    bool pagesBuilt_ = false;
    int shownPage_ = evaluationPageIndex; // the last page shown, never the maintenance page

    QPointer<QWidget> splash_;
    DeleteConfirmation* form5_ = nullptr;
    SearchWindow* vyhledej_ = nullptr;
    AboutBox* oprogramu_ = nullptr;
    DocumentViewer* form4_ = nullptr;
    ExamineeListWindow* examineeList_ = nullptr;
    PrintCommands* printCommands_ = nullptr;
    BackupMenu* backupMenu_ = nullptr;
    bool tableOpeningHeld_ = false;

    // A failed open is reported once; the activation that follows the
    // message itself does not try again, the next real one does.
    bool openArmed_ = true;
    bool reportingOpenFailure_ = false;
    UnsavedWorkKeeper* keeper_ = nullptr;
    bool unsavedOffered_ = false;
};

} // namespace iksa::app
