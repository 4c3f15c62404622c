#include "MainWindow.h"

#include "AboutBox.h"
#include "BackupMenu.h"
#include "DeleteConfirmation.h"
#include "DocumentViewer.h"
#include "EntryWiring.h"
#include "EvaluationTab.h"
#include "ExamineeListWindow.h"
#include "Guard.h"
#include "MaintenancePage.h"
#include "NavigatorKeys.h"
#include "PageTabs.h"
#include "Pictures.h"
#include "PrintCommands.h"
#include "ProductInfo.h"
#include "RecordCounter.h"
#include "SearchWindow.h"
#include "SubtestPage.h"
#include "controls/DBEdit.h"
#include "controls/DBNavigator.h"
#include "evaluation/EvaluationRun.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/HeaderChecks.h"
#include "records/UnsavedRecovery.h"
#include "records/UnsavedWorkKeeper.h"
#include "scoring/Catalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace iksa::app {

namespace {

const QString soRawScore = QStringLiteral("HS_14_SO");

} // namespace

MainWindow::MainWindow(DataModule& data, ExamineeRecord& record, UserMessages& messages,
                       QWidget* parent)
    : QMainWindow(parent)
    , data_(data)
    , record_(record)
    , messages_(messages) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ProductInfo::mainCaption());
    setWindowIcon(Pictures::windowIcon());
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    // The data module owns the tables and their data sources.
    const std::array<Table*, 3> tables{&data.table1(), &data.table2(), &data.table3()};
    for (int t = 0; t < 3; ++t) {
        sources_[t] = new DataSource(*tables[t], messages, &data);
        sources_[t]->setObjectName(QStringLiteral("DataSource%1").arg(t + 1));
    }
    wiring_ = new EntryWiring(record, messages, this);
    backupMenu_ = new BackupMenu(*this, data, record, messages);
    keeper_ = new UnsavedWorkKeeper(record, messages, this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Client"));
    setCentralWidget(central);
    QWidget* header = buildHeader();
    header->setParent(central);
    header->setGeometry(0, 0, 1044, 128);
    buildPages();
    // The tabs stand in rows above the pages; together 1025 × 585.
    pageControl_->setParent(central);
    pageTabs_ = new PageTabs(*pageControl_, 1025, central);
    pageTabs_->move(8, 128);
    pageControl_->setGeometry(8, 128 + pageTabs_->height(), 1025, 585 - pageTabs_->height());
    highlightTab(evaluationPageIndex);
    buildMenu();
    resize(1044, 772);

    // Tab order: header boxes, page control, navigator, delete button.
    const QStringList order{QStringLiteral("DBEdit1"),   QStringLiteral("DBEdit2"),
                            QStringLiteral("DBEdit3"),   QStringLiteral("DBEdit4"),
                            QStringLiteral("DBEdit480"), QStringLiteral("DBEdit5")};
    QWidget* previous = nullptr;
    for (const QString& name : order) {
        QWidget* box = findChild<QWidget*>(name);
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, pageControl_);
    setTabOrder(pageControl_, navigator_);
    setTabOrder(navigator_, findChild<QWidget*>(QStringLiteral("Button1")));
    findChild<QWidget*>(QStringLiteral("DBEdit1"))->setFocus();

    connect(qApp, &QApplication::focusChanged, this, &MainWindow::focusChanged);
    // Page 15 shows only the current examinee's results.
    connect(&record_, &ExamineeRecord::currentRecordReplaced, &page_, &EvaluationPage::clear);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);
    timer1_->setInterval(2000);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    timer1_->start();
}

MainWindow::~MainWindow() {
    disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::focusChanged);
    delete form4_;
}

QWidget* MainWindow::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("Header"));
    DataSource& table3 = *sources_[2];
    struct Box {
        const char* label;
        const char* field;
        const char* name;
        int row;
        int labelX;
        int boxX;
        int width;
    };
    const Box boxes[] = {
        {"Jméno :", "JMENO", "DBEdit1", 0, 8, 64, 121},
        {"Přijmení:", "PRIJM", "DBEdit2", 0, 200, 256, 169},
        {"Věk:", "VEK", "DBEdit3", 0, 440, 472, 41},
        {"Datum vyšetření:", "DATUM", "DBEdit4", 1, 8, 104, 121},
        {"Examinátor:", "EXAMI", "DBEdit480", 1, 240, 312, 153},
        {"Poznámky", "POZNAM", "DBEdit5", 2, 8, 64, 385},
    };
    const int rowY[] = {12, 44, 92};
    for (const Box& b : boxes) {
        auto* label = new QLabel(QString::fromUtf8(b.label), header);
        label->setObjectName(QStringLiteral("Label_%1").arg(QString::fromLatin1(b.field)));
        label->setGeometry(b.labelX, rowY[b.row], b.boxX - b.labelX - 4, 21);
        auto* box = new DBEdit(table3, QString::fromLatin1(b.field), header);
        box->setObjectName(QString::fromLatin1(b.name));
        box->setGeometry(b.boxX, rowY[b.row], b.width, 21);
        label->setBuddy(box);
    }
    ageBox_ = header->findChild<DBEdit*>(QStringLiteral("DBEdit3"));
    ageBox_->setLimit(3);
    auto* dateBox = header->findChild<DBEdit*>(QStringLiteral("DBEdit4"));
    dateBox->setKeyFilter([this](const QString& current, QChar key) {
        const KeyVerdict verdict = dateKeyFilter(current, key);
        if (!verdict.message.isEmpty())
            messages_.show(verdict.message);
        return verdict.accept;
    });

    auto* logo = new QLabel(header);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(Pictures::logo(QSize(401, 81)));
    logo->setGeometry(624, 6, 401, 81);

    navigator_ = new DBNavigator(table3, header);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->setGeometry(624, 90, 248, 33);
    navigator_->setAction([this](NavigatorButton button) { record_.press(button); });
    // Typed item data of Table1 and Table2 can be stored with "potvrdit" too.
    navigator_->addFollower(*sources_[0]);
    navigator_->addFollower(*sources_[1]);

    auto* remove = new QPushButton(QStringLiteral("-"), header);
    remove->setObjectName(QStringLiteral("Button1"));
    remove->setToolTip(QStringLiteral("Odstranit záznam"));
    QFont big = remove->font();
    big.setPixelSize(32);
    big.setBold(true);
    remove->setFont(big);
    remove->setGeometry(880, 90, 33, 33);
    remove->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &MainWindow::Button1Click);
    new NavigatorKeys(*navigator_, *remove, *this);

    auto* counter = new RecordCounter(table3, header);
    counter->setGeometry(920, 90, 116, 33);
    return header;
}

void MainWindow::buildPages() {
    pageControl_ = new QTabWidget;
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    pageControl_->tabBar()->hide();
    pageControl_->setFocusProxy(nullptr);
    pageControl_->setFocusPolicy(Qt::TabFocus);

    PageContext context;
    context.sources = sources_;
    context.wiring = wiring_;
    for (const Subtest& subtest : Catalogue::instance().subtests()) {
        auto* page = new SubtestPage(subtest, context);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(subtest.number));
        subtestPages_.append(page);
        pageControl_->addTab(page, subtest.caption);
        // "=" pressed by keyboard goes on to the first item of the next page.
        connect(page, &SubtestPage::rawScoreEntered, this, [this, next = subtest.number] {
            if (next >= subtestPages_.size())
                return;
            pageControl_->setCurrentIndex(next);
            subtestPages_.at(next)->focusFirstEntry();
        });
    }
    evaluationTab_ = new EvaluationTab(*sources_[2], record_, options_, page_, messages_);
    evaluationTab_->setObjectName(QStringLiteral("TabSheet15"));
    pageControl_->addTab(evaluationTab_, QStringLiteral("Vyhodnocení "));
    maintenancePage_ = new MaintenancePage(sources_);
    maintenancePage_->setObjectName(QStringLiteral("Udrzba"));
    pageControl_->addTab(maintenancePage_, QStringLiteral("Udrzba"));
    // The maintenance page is never shown: its follower navigators would move
    // one table alone. Its tab is hidden and disabled, so no key steps onto it.
    pageControl_->setTabVisible(maintenancePageIndex, false);
    pageControl_->setTabEnabled(maintenancePageIndex, false);

    pageControl_->setCurrentIndex(evaluationPageIndex);
    pagesBuilt_ = true;
    connect(pageControl_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!pagesBuilt_)
            return;
        if (index == maintenancePageIndex) {
            pageControl_->setCurrentIndex(shownPage_);
            return;
        }
        shownPage_ = index;
        if (index == evaluationPageIndex)
            TabSheet15Show();
        PageControl1Change();
    });
    connect(evaluationTab_->previewButton(), &QPushButton::clicked, this,
            &MainWindow::Button3Click);
    connect(evaluationTab_->printButton(), &QPushButton::clicked, this, &MainWindow::Button4Click);
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const auto item = [this](QMenu* menu, const QString& text, const QString& name, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* backup = bar->addMenu(QStringLiteral("Záloha dat"));
    backup->setObjectName(QStringLiteral("BackupMenu"));
    item(backup, QStringLiteral("export"), QStringLiteral("Export1"), &MainWindow::Export1Click);
    item(backup, QStringLiteral("import"), QStringLiteral("Import1"), &MainWindow::Import1Click);

    QMenu* print = bar->addMenu(QStringLiteral("Tisk"));
    print->setObjectName(QStringLiteral("PrintMenu"));
    item(print, QStringLiteral("Formulář Hledání symbolů "), QStringLiteral("FormulHlednsymbol1"),
         &MainWindow::FormulHlednsymbol1Click);
    item(print, QStringLiteral("Vyhodnocení"), QStringLiteral("Vhodnocen1"),
         &MainWindow::Vhodnocen1Click);
    QAction* listing = print->addAction(QStringLiteral("Výpis zadaných dat"));
    listing->setObjectName(QStringLiteral("Zadanchdat1"));
    listing->setVisible(false);

    const auto topItem = [this, bar](const QString& text, const QString& name, auto handler) {
        QAction* action = bar->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    topItem(QStringLiteral("Vyhledat"), QStringLiteral("Vyhledat1"), &MainWindow::Vyhledat1Click);
    QAction* list = topItem(QStringLiteral("Seznam vyšetřených"),
                            QStringLiteral("SeznamVysetrenych1"), &MainWindow::showExamineeList);
    list->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    topItem(QStringLiteral("Export dat"), QStringLiteral("Exportdat1"),
            &MainWindow::Exportdat1Click);
    topItem(QStringLiteral("O programu"), QStringLiteral("Oprogramu1"),
            &MainWindow::Oprogramu1Click);
    topItem(QStringLiteral("Ukončit"), QStringLiteral("Ukoncit1"), &QWidget::close);
}

void MainWindow::setSplash(QWidget* splash) {
    splash_ = splash;
}

DocumentViewer* MainWindow::documentViewer() {
    if (!form4_) {
        form4_ = new DocumentViewer;
        form4_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return form4_;
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        FormActivate();
    else if (!reportingOpenFailure_)
        openArmed_ = true;
}

void MainWindow::FormActivate() {
    if (tableOpeningHeld_ || !openArmed_ || reportingOpenFailure_)
        return;
    try {
        data_.open(QDir::current(), messages_);
        if (!unsavedOffered_) {
            // The first open: what a crash left unstored is offered first (its
            // question activates the window again, which must not ask twice).
            unsavedOffered_ = true;
            const QDir dataDir = data_.startDir();
            offerUnsavedEntries(record_, dataDir, messages_);
            keeper_->start(dataDir);
        }
    } catch (const UserError& error) {
        openArmed_ = false;
        reportingOpenFailure_ = true;
        messages_.show(error.message());
        reportingOpenFailure_ = false;
    }
}

void MainWindow::Timer1Timer() {
    timer1_->stop();
    if (splash_) {
        splash_->hide();
        splash_->deleteLater();
    }
}

bool MainWindow::isTabHighlighted(int index) const {
    return pageTabs_->isHighlighted(index);
}

void MainWindow::highlightTab(int index) {
    // Pages 1 to 15 lose their highlight, the active one gets it.
    for (int i = 0; i <= evaluationPageIndex; ++i)
        pageTabs_->setHighlighted(i, false);
    pageTabs_->setHighlighted(index, true);
}

void MainWindow::PageControl1Change() {
    highlightTab(pageControl_->currentIndex());
    // Page 15 shows the raw scores as the subtest pages hold them, stored or
    // not: both boxes show the one record buffer, so bringing them in line is
    // a refresh.
    for (int n = 1; n <= subtestPages_.size(); ++n)
        evaluationTab_->rawScoreBox(n)->refresh();

    QCheckBox* notAdministered = subtestPages_.last()->notAdministeredBox();
    if (subtestPages_.last()->rawScoreBox()->text() == QLatin1String("-1")) {
        record_.setSoNotAdministered(true);
        record_.setSoCellsHidden(true);
        notAdministered->setChecked(true);
    } else {
        record_.setSoCellsHidden(false);
        notAdministered->setChecked(false);
    }
}

void MainWindow::TabSheet15Show() {
    if (!data_.table3().isOpen())
        return;
    guarded(messages_, [&] { iksa::TabSheet15Show(record_); });
}

void MainWindow::PageControl1Enter() {
    if (!data_.table3().isOpen())
        return;
    guarded(messages_, [&] {
        if (record_.integer(soRawScore) == -1) {
            record_.setSoNotAdministered(true);
            record_.setSoCellsHidden(true);
        } else {
            record_.setSoCellsHidden(false);
        }
    });
}

bool MainWindow::inPageControl(QWidget* widget) const {
    return widget && (widget == pageControl_ || pageControl_->isAncestorOf(widget));
}

void MainWindow::focusChanged(QWidget* old, QWidget* now) {
    // Focus moving between controls of this window; activation changes of
    // the window (old or new focus elsewhere) are not an exit or an entry.
    if (!old || !now || old->window() != this || now->window() != this)
        return;
    if (inPageControl(now) && !inPageControl(old))
        PageControl1Enter();
    if (old == ageBox_ && now != ageBox_)
        QTimer::singleShot(0, this, &MainWindow::DBEdit3Exit);
}

void MainWindow::DBEdit3Exit() {
    const QStringList problems = ageCheckMessages(ageBox_->text());
    for (const QString& message : problems)
        messages_.show(message);
    if (!problems.isEmpty())
        ageBox_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::Button1Click() {
    if (form5_)
        form5_->showCentred();
}

void MainWindow::Vyhledat1Click() {
    if (vyhledej_)
        vyhledej_->showWindow();
}

void MainWindow::showExamineeList() {
    examineeList()->showList();
}

ExamineeListWindow* MainWindow::examineeList() {
    if (!examineeList_)
        examineeList_ = new ExamineeListWindow(record_, messages_, this);
    return examineeList_;
}

void MainWindow::Oprogramu1Click() {
    if (oprogramu_)
        oprogramu_->showCentred();
}

void MainWindow::FormulHlednsymbol1Click() {
    documentViewer()->showDocument();
}

void MainWindow::Button3Click() {
    if (printCommands_)
        printCommands_->Button3Click();
}

void MainWindow::Button4Click() {
    if (printCommands_)
        printCommands_->Button4Click();
}

void MainWindow::Vhodnocen1Click() {
    if (printCommands_)
        printCommands_->Vhodnocen1Click();
}

void MainWindow::Export1Click() {
    backupMenu_->Export1Click();
}

void MainWindow::Import1Click() {
    backupMenu_->Import1Click();
}

void MainWindow::Exportdat1Click() {
    backupMenu_->Exportdat1Click();
}

bool MainWindow::hasUnstoredChanges() const {
    for (const Table* table : {&data_.table3(), &data_.table1(), &data_.table2()})
        if (table->isOpen() && table->isModified())
            return true;
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing must not lose typed work without asking.
    if (hasUnstoredChanges()) {
        const int answer = messages_.ask(
            QStringLiteral("Záznam obsahuje neuložené změny. Chcete je před ukončením uložit?"),
            {QStringLiteral("Uložit"), QStringLiteral("Neukládat"), QStringLiteral("Zpět")}, 0, 2);
        if (answer == 2) {
            event->ignore();
            return;
        }
        const bool settled = guarded(messages_, [&] {
            record_.press(answer == 0 ? NavigatorButton::Post : NavigatorButton::Cancel);
        });
        if (!settled) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace iksa::app
