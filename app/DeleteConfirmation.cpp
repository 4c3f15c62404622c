#include "DeleteConfirmation.h"

#include "Guard.h"
#include "ScreenCentre.h"
#include "records/ExamineeRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace iksa::app {

DeleteConfirmation::DeleteConfirmation(ExamineeRecord& record, UserMessages& messages,
                                       QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , record_(record)
    , messages_(messages) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Iksa"));
    setModal(false);

    auto* question = new QLabel(QStringLiteral("Opravdu chcete odstranit tento záznam ?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    QFont large = question->font();
    large.setPixelSize(20);
    large.setBold(true);
    question->setFont(large);
    question->setStyleSheet(QStringLiteral("color: red;"));
    question->setAlignment(Qt::AlignCenter);

    auto* yes = new QPushButton(QStringLiteral("Ano"), this);
    yes->setObjectName(QStringLiteral("Button1"));
    yes->setDefault(true);
    yes->setAutoDefault(true);
    auto* no = new QPushButton(QStringLiteral("Ne"), this);
    no->setObjectName(QStringLiteral("Button2"));
    no->setAutoDefault(false);
    connect(yes, &QPushButton::clicked, this, &DeleteConfirmation::Button1Click);
    connect(no, &QPushButton::clicked, this, &DeleteConfirmation::Button2Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addSpacing(24);
    buttons->addWidget(no);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(question);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(440, 130)));
}

void DeleteConfirmation::showCentred() {
    centreOnScreen(*this);
    show();
    raise();
    activateWindow();
}

void DeleteConfirmation::Button1Click() {
    if (guarded(messages_, [&] { record_.removeCurrent(); }))
        hide();
}

void DeleteConfirmation::Button2Click() {
    hide();
}

void DeleteConfirmation::reject() {
    Button2Click();
}

} // namespace iksa::app
