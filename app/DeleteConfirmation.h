#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace iksa {
class ExamineeRecord;
class UserMessages;
} // namespace iksa

namespace iksa::app {

// "Form5": asks whether to delete the current examinee, named under the
// question by surname, first name, examination date and ID. A window of its
// own, centred, without closing buttons; the main window stays usable
// meanwhile. "Ne" is the default button and Esc; when another record becomes
// current while the window is open, it closes without deleting.
class DeleteConfirmation : public QDialog {
    Q_OBJECT

public:
    DeleteConfirmation(ExamineeRecord& record, UserMessages& messages, QWidget* parent = nullptr);

    void showCentred();
    void Button1Click(); // "Ano": delete, then hide; an engine refusal keeps the window
    void Button2Click(); // "Ne": hide

    QString examineeText() const; // the line naming the record shown

protected:
    void reject() override; // Esc is "Ne"

private:
    void recordReplaced();

    ExamineeRecord& record_;
    UserMessages& messages_;
    QLabel* examinee_ = nullptr;
    QPushButton* no_ = nullptr;
};

} // namespace iksa::app
