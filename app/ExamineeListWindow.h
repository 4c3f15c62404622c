#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableView;

namespace iksa {
class ExamineeRecord;
class UserMessages;
} // namespace iksa

namespace iksa::app {

class ExamineeListModel;

// "Seznam vyšetřených": every examinee in a table whose columns sort, with a
// filter that narrows it as the examiner types. Enter or a double click makes
// the chosen examinee the main window's current record by the ordinary move
// (a pending change is stored first) and closes the list; Esc closes it.
// It does not block the main window, and while shown it follows every
// change of the tables.
class ExamineeListWindow : public QDialog {
    Q_OBJECT

public:
    ExamineeListWindow(ExamineeRecord& record, UserMessages& messages, QWidget* parent = nullptr);

    // Reads the records again, marks the current one and shows the window
    // with the focus in the filter box.
    void showList();
    // Moves the main window to the record shown in `row`; the list closes
    // when the move succeeds and stays open when it is refused.
    void openRow(int row);

    QLineEdit* filterBox() const { return filter_; }
    QTableView* view() const { return view_; }
    ExamineeListModel* model() const { return model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reloadSoon(); // once, after the record operation under way
    void reload();
    void selectRecord(int recNo);
    int currentRecNo() const; // 0 when no row is current
    void updateShownCount();

    ExamineeRecord& record_;
    UserMessages& messages_;
    ExamineeListModel* model_;
    QLineEdit* filter_;
    QTableView* view_;
    QLabel* shownCount_;
    int keptRecNo_ = 0; // the current row's record across a reset of the model
    bool reloadPending_ = false;
};

} // namespace iksa::app
