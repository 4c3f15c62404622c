#include "DBRadioGroup.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

namespace iksa::app {

namespace {

constexpr int frameWidth = 2;

} // namespace

DBRadioGroup::DBRadioGroup(DataSource& source, const QString& field, const QStringList& captions,
                           const QStringList& values, QWidget* parent)
    : QWidget(parent)
    , values_(values) {
    Q_ASSERT(captions.size() == values.size());
    bind(source, field);
    setProperty("field", field);
    setObjectName(field);
    auto* layout = new QGridLayout(this);
    // Room for the frame of the focused group.
    layout->setContentsMargins(frameWidth, frameWidth, frameWidth, frameWidth);
    layout->setHorizontalSpacing(1);
    layout->setVerticalSpacing(0);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], this);
        button->setObjectName(QStringLiteral("%1_%2").arg(field).arg(i));
        button->setFocusPolicy(Qt::NoFocus);
        QString key = captions[i];
        keys_.append(key.remove(u'[').remove(u']').trimmed().toUpper());
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
    connect(&group_, &QButtonGroup::idClicked, this, [this](int index) {
        choose(index);
        setFocus(Qt::MouseFocusReason);
    });
    setFocusPolicy(Qt::StrongFocus);
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

bool DBRadioGroup::choose(int index) {
    if (!writeToBuffer(values_[index]))
        return false;
    showChecked(index);
    emit chosen(fieldName());
    return true;
}

void DBRadioGroup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step(+1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        typedSoFar_.clear();
        if (checkedIndex() < 0) {
            refuse();
            return;
        }
        emit answered(fieldName());
        return;
    default:
        break;
    }
    const QString typed = event->text().trimmed().toUpper();
    const Qt::KeyboardModifiers commands =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (typed.isEmpty() || typed.at(0) < u' ' || commands != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    typeCaption(typed);
}

void DBRadioGroup::typeCaption(const QString& typed) {
    // A caption of several characters ("12") is typed in full; while a
    // longer one may follow ("1" of "10" … "12"), the shorter is checked and
    // the group waits for the next key.
    const QString wanted = typedSoFar_ + typed;
    const int exact = keys_.indexOf(wanted);
    const bool longerMayFollow = std::any_of(keys_.begin(), keys_.end(), [&](const QString& key) {
        return key.size() > wanted.size() && key.startsWith(wanted);
    });
    if (exact < 0 && !longerMayFollow) {
        refuse();
        return;
    }
    typedSoFar_ = longerMayFollow ? wanted : QString();
    if (exact < 0)
        return;
    if (!choose(exact)) {
        typedSoFar_.clear();
        return;
    }
    if (!longerMayFollow)
        emit answered(fieldName());
}

void DBRadioGroup::step(int by) {
    typedSoFar_.clear();
    const int at = checkedIndex();
    const int next = at < 0 ? 0 : at + by;
    if (next < 0 || next >= buttons_.size()) {
        refuse();
        return;
    }
    choose(next);
}

void DBRadioGroup::refuse() {
    QApplication::beep();
    emit keyRefused(fieldName());
}

void DBRadioGroup::focusInEvent(QFocusEvent* event) {
    typedSoFar_.clear();
    QWidget::focusInEvent(event);
    update();
}

void DBRadioGroup::focusOutEvent(QFocusEvent* event) {
    typedSoFar_.clear();
    QWidget::focusOutEvent(event);
    update();
}

void DBRadioGroup::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), frameWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal half = frameWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

} // namespace iksa::app
