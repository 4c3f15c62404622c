#pragma once

#include <QDialog>

class QPushButton;

namespace iksa {
class ExamineeRecord;
class UserMessages;
} // namespace iksa

namespace iksa::app {

// "Form5": asks whether to delete the current examinee. A window of its own,
// centred, without closing buttons; the main window stays usable meanwhile.
class DeleteConfirmation : public QDialog {
    Q_OBJECT

public:
    DeleteConfirmation(ExamineeRecord& record, UserMessages& messages, QWidget* parent = nullptr);

    void showCentred();
    void Button1Click(); // "Ano": delete, then hide; an engine refusal keeps the window
    void Button2Click(); // "Ne": hide

protected:
    void reject() override; // Esc is "Ne"

private:
    ExamineeRecord& record_;
    UserMessages& messages_;
};

} // namespace iksa::app
