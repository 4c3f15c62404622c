#include "PageTabs.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace iksa::app {

namespace {

const QString tabStyle =
    QStringLiteral("QToolButton { border: 1px solid #9a9a9a; border-bottom: none;"
                   " border-top-left-radius: 3px; border-top-right-radius: 3px;"
                   " background: #e4e4e4; padding: 2px 4px; }"
                   "QToolButton:checked { background: #ffffff; }"
                   "QToolButton:hover { background: #f2f2f2; }"
                   "QToolButton[highlighted=\"true\"] { color: #0000c0; font-weight: bold; }");

constexpr int tabPadding = 14;
constexpr int tabHeight = 21;

} // namespace

PageTabs::PageTabs(QTabWidget& pages, int width, QWidget* parent)
    : QWidget(parent)
    , pages_(pages) {
    setObjectName(QStringLiteral("PageTabs"));
    setStyleSheet(tabStyle);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    QHBoxLayout* row = nullptr;
    int used = width;
    for (int i = 0; i < pages.count(); ++i) {
        auto* tab = new QToolButton(this);
        tab->setObjectName(QStringLiteral("Tab_%1").arg(pages.widget(i)->objectName()));
        tab->setText(pages.tabText(i));
        tab->setCheckable(true);
        tab->setAutoExclusive(true);
        tab->setFocusPolicy(Qt::NoFocus);
        tab->setFixedHeight(tabHeight);
        tab->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // As on a page control, the click gives the control the focus first.
        connect(tab, &QToolButton::clicked, this, [this, i] {
            pages_.setFocus(Qt::MouseFocusReason);
            pages_.setCurrentIndex(i);
        });
        tabs_.append(tab);
        if (!pages.isTabVisible(i)) {
            tab->hide();
            continue;
        }
        const int needed = metrics.horizontalAdvance(pages.tabText(i)) + tabPadding;
        if (!row || used + needed > width) {
            row = new QHBoxLayout;
            row->setSpacing(0);
            column->addLayout(row);
            used = 0;
            ++rows_;
        }
        tab->setMinimumWidth(needed);
        row->addWidget(tab);
        used += needed;
    }
    setFixedSize(width, rows_ * tabHeight);
    connect(&pages, &QTabWidget::currentChanged, this, &PageTabs::showCurrent);
    showCurrent(pages.currentIndex());
    // Keys that the page control's children leave unused reach it; its own
    // page switching would step onto pages whose tab is hidden.
    pages.installEventFilter(this);
}

void PageTabs::step(int direction) {
    const int count = pages_.count();
    int index = pages_.currentIndex();
    for (int tried = 0; tried < count; ++tried) {
        index = (index + direction + count) % count;
        if (pages_.isTabVisible(index) && pages_.isTabEnabled(index)) {
            pages_.setCurrentIndex(index);
            return;
        }
    }
}

bool PageTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &pages_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::ControlModifier))
        return false;
    const bool back = key->modifiers() & Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
        step(back ? -1 : 1);
        return true;
    case Qt::Key_Backtab:
        step(-1);
        return true;
    case Qt::Key_PageDown:
        step(1);
        return true;
    case Qt::Key_PageUp:
        step(-1);
        return true;
    default:
        return false;
    }
}

void PageTabs::showCurrent(int) {
    // The page current now: a switch to a page that is refused is undone
    // while its signal is still being delivered.
    if (QToolButton* tab = tabs_.value(pages_.currentIndex()))
        tab->setChecked(true);
}

void PageTabs::setHighlighted(int index, bool on) {
    QToolButton* tab = tabs_.value(index);
    if (!tab || tab->property("highlighted").toBool() == on)
        return;
    tab->setProperty("highlighted", on);
    tab->style()->unpolish(tab);
    tab->style()->polish(tab);
}

bool PageTabs::isHighlighted(int index) const {
    const QToolButton* tab = tabs_.value(index);
    return tab && tab->property("highlighted").toBool();
}

} // namespace iksa::app
