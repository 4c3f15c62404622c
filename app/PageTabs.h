#pragma once

#include <QList>
#include <QWidget>

class QTabWidget;
class QToolButton;

namespace iksa::app {

// The tabs of the page control in as many rows as their captions need, as
// a multi-line page control draws them: the captions of the fifteen pages do
// not fit one row of the window's width. Clicking a tab selects its page;
// pages whose tab is hidden get none. The keys that switch pages (Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+PgDn, Ctrl+PgUp) go round the pages with a shown tab
// only, so no key reaches a page whose tab is hidden.
class PageTabs : public QWidget {
    Q_OBJECT

public:
    PageTabs(QTabWidget& pages, int width, QWidget* parent = nullptr);

    QToolButton* tab(int index) const { return tabs_.value(index); }
    void setHighlighted(int index, bool on);
    bool isHighlighted(int index) const;
    int rows() const { return rows_; }

    // Selects the next (+1) or previous (-1) page with a shown tab, round.
    void step(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCurrent(int index);

    QTabWidget& pages_;
    QList<QToolButton*> tabs_;
    int rows_ = 0;
};

} // namespace iksa::app
