#pragma once

#include "records/SurnameSearch.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace iksa {
class UserMessages;
}

namespace iksa::app {

// "Vyhledej": search by surname. Stays on top of the other windows without
// blocking the main window; keeps its text and button caption between uses.
class SearchWindow : public QDialog {
    Q_OBJECT

public:
    SearchWindow(ExamineeRecord& record, UserMessages& messages, QWidget* parent = nullptr);

    void showWindow(); // the menu command "Vyhledat"
    void OKBtnClick();
    void CancelBtnClick();

protected:
    bool event(QEvent* event) override;
    void reject() override; // Esc is "Zrušit vyhledání"

private:
    SurnameSearch search_;
    UserMessages& messages_;
    QLineEdit* edit_;
    QLabel* notFound_;
    QPushButton* ok_;
};

} // namespace iksa::app
