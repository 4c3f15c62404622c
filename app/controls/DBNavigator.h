#pragma once

#include "DataSource.h"
#include "records/ExamineeRecord.h"

#include <QWidget>
#include <array>
#include <functional>

class QToolButton;

namespace iksa::app {

// The eight visible buttons of a navigator: first, prior, next, last,
// insert, edit, post, cancel, with their hints. A press performs the button's
// action (by default on the source's table; the main navigator hands it to
// the examinee record, which mirrors it) and then emits clicked().
class DBNavigator : public QWidget, public BoundControl {
    Q_OBJECT

public:
    using Action = std::function<void(NavigatorButton)>;

    DBNavigator(DataSource& source, QWidget* parent = nullptr);

    void setAction(Action action) { action_ = std::move(action); }
    // Further sources whose pending changes "potvrdit" and "storno" act on
    // too (the main navigator stores the whole examinee).
    void addFollower(DataSource& source);
    // Presses a button as the examiner would; the program uses it too.
    void press(NavigatorButton button);
    QToolButton* button(NavigatorButton button) const;

    static QString hint(NavigatorButton button);
    static QString buttonName(NavigatorButton button); // "nbFirst" …

    void refresh() override;

signals:
    void clicked(iksa::NavigatorButton button);

private:
    void performOnTable(NavigatorButton button);
    void updateEnabled();
    bool followerEditing() const; // a follower's table is being edited

    Action action_;
    QList<QPointer<DataSource>> followers_;
    std::array<QToolButton*, 8> buttons_{};
};

} // namespace iksa::app
