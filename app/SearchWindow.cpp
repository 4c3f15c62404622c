#include "SearchWindow.h"

#include "Guard.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace iksa::app {

SearchWindow::SearchWindow(ExamineeRecord& record, UserMessages& messages, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , search_(record)
    , messages_(messages) {
    setObjectName(QStringLiteral("Vyhledej"));
    // The caption begins with 21 blanks.
    setWindowTitle(QString(21, u' ') + QStringLiteral("Data k vyhledání"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("příjmení :"), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edit1"));
    notFound_ = new QLabel(QStringLiteral("Nenalezeno "), this);
    notFound_->setObjectName(QStringLiteral("Label2"));
    notFound_->setStyleSheet(QStringLiteral("color: red;"));
    notFound_->hide();

    ok_ = new QPushButton(search_.buttonCaption(), this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Zrušit vyhledání"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &SearchWindow::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &SearchWindow::CancelBtnClick);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(label, 0, 0);
    layout->addWidget(edit_, 0, 1);
    layout->addWidget(notFound_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    setFixedSize(QSize(320, 120).expandedTo(sizeHint()));
}

void SearchWindow::showWindow() {
    show();
    raise();
    activateWindow();
    edit_->setFocus();
}

bool SearchWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        notFound_->hide();
    return QDialog::event(event);
}

void SearchWindow::OKBtnClick() {
    notFound_->hide();
    SurnameSearch::Outcome outcome;
    guarded(messages_, [&] { outcome = search_.press(edit_->text()); });
    notFound_->setVisible(outcome.showNotFound);
    ok_->setText(search_.buttonCaption());
    if (outcome.hideWindow)
        hide();
}

void SearchWindow::CancelBtnClick() {
    hide();
    search_.cancel();
    ok_->setText(search_.buttonCaption());
}

void SearchWindow::reject() {
    CancelBtnClick();
}

} // namespace iksa::app
