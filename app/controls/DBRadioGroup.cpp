#include "DBRadioGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

namespace iksa::app {

DBRadioGroup::DBRadioGroup(DataSource& source, const QString& field, const QStringList& captions,
                           const QStringList& values, QWidget* parent)
    : QWidget(parent)
    , values_(values) {
    Q_ASSERT(captions.size() == values.size());
    bind(source, field);
    setProperty("field", field);
    setObjectName(field);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(1);
    layout->setVerticalSpacing(0);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], this);
        button->setObjectName(QStringLiteral("%1_%2").arg(field).arg(i));
        buttons_.append(button);
        group_.addButton(button, i);
        layout->addWidget(button, 1, i);
    }
    // Buttons of one width, so that the groups of a column line up.
    int widest = 0;
    for (const QRadioButton* button : std::as_const(buttons_))
        widest = qMax(widest, button->sizeHint().width());
    for (QRadioButton* button : std::as_const(buttons_))
        button->setMinimumWidth(widest);
    // clicked, not toggled: only the examiner's choice writes the field.
    connect(&group_, &QButtonGroup::idClicked, this, &DBRadioGroup::choose);
    refresh();
}

void DBRadioGroup::setButtonHeadings(const QStringList& headings) {
    if (std::all_of(headings.begin(), headings.end(), [](const QString& h) { return h.isEmpty(); }))
        return;
    auto* layout = static_cast<QGridLayout*>(this->layout());
    for (int i = 0; i < headings.size() && i < buttons_.size(); ++i) {
        auto* label = new QLabel(headings[i], this);
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        label->setFont(small);
        layout->addWidget(label, 0, i, Qt::AlignLeft | Qt::AlignBottom);
    }
}

int DBRadioGroup::checkedIndex() const {
    return group_.checkedId();
}

QRadioButton* DBRadioGroup::button(int index) const {
    return buttons_.value(index);
}

void DBRadioGroup::refresh() {
    showChecked(values_.indexOf(bufferText()));
}

void DBRadioGroup::showChecked(int index) {
    if (group_.checkedId() == index)
        return;
    if (index >= 0) {
        buttons_[index]->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    group_.setExclusive(false);
    for (QRadioButton* button : std::as_const(buttons_))
        button->setChecked(false);
    group_.setExclusive(true);
}

void DBRadioGroup::choose(int index) {
    if (!writeToBuffer(values_[index]))
        return;
    emit chosen(fieldName());
}

} // namespace iksa::app
