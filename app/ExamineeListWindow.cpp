#include "ExamineeListWindow.h"

#include "ExamineeListModel.h"
#include "Guard.h"
#include "records/ExamineeRecord.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace iksa::app {

namespace {

// Widths of the columns, in the order of ExamineeColumn.
constexpr std::array<int, examineeColumnCount> columnWidths{60, 150, 110, 110, 50, 150, 50};

bool movesInTheList(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

} // namespace

ExamineeListWindow::ExamineeListWindow(ExamineeRecord& record, UserMessages& messages,
                                       QWidget* parent)
    : QDialog(parent, Qt::Window)
    , record_(record)
    , messages_(messages)
    , model_(new ExamineeListModel(record.data().table3(), this)) {
    setObjectName(QStringLiteral("ExamineeList"));
    setWindowTitle(QStringLiteral("Seznam vyšetřených"));
    setModal(false);

    auto* filterLabel = new QLabel(QStringLiteral("Filtr:"), this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("ExamineeFilter"));
    filter_->setPlaceholderText(QStringLiteral("část příjmení, jména nebo examinátora"));
    filter_->setClearButtonEnabled(true);
    filterLabel->setBuddy(filter_);
    filter_->installEventFilter(this);
    shownCount_ = new QLabel(this);
    shownCount_->setObjectName(QStringLiteral("ShownCount"));

    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("ExamineeTable"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setAlternatingRowColors(true);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    // Fixed row heights keep a list of many thousand rows quick to lay out.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    for (int column = 0; column < examineeColumnCount; ++column)
        view_->setColumnWidth(column, columnWidths[static_cast<std::size_t>(column)]);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->horizontalHeader()->setSortIndicator(static_cast<int>(ExamineeColumn::Id),
                                                Qt::AscendingOrder);
    view_->setSortingEnabled(true);

    connect(filter_, &QLineEdit::textChanged, model_, &ExamineeListModel::setFilterText);
    connect(filter_, &QLineEdit::returnPressed, this,
            [this] { openRow(view_->currentIndex().row()); });
    // Enter on a row and a double click.
    connect(view_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    // Every reset (a filter key, a sort, a reload) keeps the current record
    // when it is still shown, else makes the first row current.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { keptRecNo_ = currentRecNo(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        selectRecord(keptRecNo_);
        updateShownCount();
    });

    const Table& table3 = record.data().table3();
    connect(&table3, &Table::recordChanged, this, &ExamineeListWindow::reloadSoon);
    connect(&table3, &Table::stateChanged, this, &ExamineeListWindow::reloadSoon);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(shownCount_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(view_, 1);
    resize(760, 520);
}

void ExamineeListWindow::showList() {
    reload();
    selectRecord(record_.recNo());
    show();
    raise();
    activateWindow();
    filter_->setFocus();
    filter_->selectAll();
}

void ExamineeListWindow::reloadSoon() {
    if (!isVisible() || reloadPending_)
        return;
    // A record operation moves Table3 more than once; the list is read
    // again once, after the operation.
    reloadPending_ = true;
    QTimer::singleShot(0, this, [this] {
        reloadPending_ = false;
        if (isVisible())
            reload();
    });
}

void ExamineeListWindow::reload() {
    guarded(messages_, [this] { model_->reload(); });
}

void ExamineeListWindow::openRow(int row) {
    const int recNo = model_->recNoAt(row);
    if (recNo <= 0)
        return;
    if (!guarded(messages_, [&] { record_.moveTo(recNo); }))
        return;
    hide();
    if (QWidget* main = parentWidget()) {
        main->raise();
        main->activateWindow();
    }
}

void ExamineeListWindow::selectRecord(int recNo) {
    int row = model_->rowOf(recNo);
    if (row < 0)
        row = model_->rowCount() > 0 ? 0 : -1;
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row, 0);
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    view_->scrollTo(index);
}

int ExamineeListWindow::currentRecNo() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? model_->recNoAt(current.row()) : 0;
}

void ExamineeListWindow::updateShownCount() {
    shownCount_->setText(
        QStringLiteral("%1 z %2").arg(model_->rowCount()).arg(model_->recordCount()));
}

bool ExamineeListWindow::eventFilter(QObject* watched, QEvent* event) {
    // The arrows and page keys of the filter box move in the list, so that
    // the examiner can type, choose and press Enter without leaving the box.
    if (watched == filter_ && event->type() == QEvent::KeyPress &&
        movesInTheList(static_cast<QKeyEvent*>(event)->key())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(view_, &copy);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace iksa::app
