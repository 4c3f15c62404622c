#include "DeleteConfirmation.h"

#include "Guard.h"
#include "ScreenCentre.h"
#include "records/ExamineeRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
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

    examinee_ = new QLabel(this);
    examinee_->setObjectName(QStringLiteral("Label2"));
    examinee_->setAlignment(Qt::AlignCenter);
    examinee_->setTextFormat(Qt::PlainText);
    QFont bold = examinee_->font();
    bold.setBold(true);
    examinee_->setFont(bold);

    // Enter and Esc both keep the record: "Ano" must be chosen on purpose.
    auto* yes = new QPushButton(QStringLiteral("Ano"), this);
    yes->setObjectName(QStringLiteral("Button1"));
    no_ = new QPushButton(QStringLiteral("Ne"), this);
    no_->setObjectName(QStringLiteral("Button2"));
    no_->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &DeleteConfirmation::Button1Click);
    connect(no_, &QPushButton::clicked, this, &DeleteConfirmation::Button2Click);
    connect(&record_, &ExamineeRecord::currentRecordReplaced, this,
            &DeleteConfirmation::recordReplaced);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addSpacing(24);
    buttons->addWidget(no_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(question);
    layout->addSpacing(8);
    layout->addWidget(examinee_);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(440, 160)));
}

QString DeleteConfirmation::examineeText() const {
    const auto field = [this](const char* name) {
        return record_.text(QString::fromLatin1(name)).trimmed();
    };
    if (record_.recordCount() == 0)
        return QString();
    const QString name = QStringList{field("PRIJM"), field("JMENO")}.join(u' ').trimmed();
    return QStringLiteral("%1\nDatum vyšetření: %2    ID: %3")
        .arg(name.isEmpty() ? QStringLiteral("(bez jména)") : name, field("DATUM"), field("ID"));
}

void DeleteConfirmation::showCentred() {
    guarded(messages_, [&] { examinee_->setText(examineeText()); });
    no_->setFocus();
    centreOnScreen(*this);
    show();
    raise();
    activateWindow();
}

void DeleteConfirmation::recordReplaced() {
    // The question named the record that was current; it no longer is.
    if (isVisible())
        hide();
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
