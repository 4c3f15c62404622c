#pragma once

#include <QDir>
#include <memory>

class QWidget;

namespace iksa {
class DataModule;
class ExamineeRecord;
class UserMessages;
} // namespace iksa

namespace iksa::app {

class AboutBox;
class DeleteConfirmation;
class MainWindow;
class MessageBoxes;
class SearchWindow;

// The program: its windows and the data module, made at start-up in a fixed
// order and released together at the end.
class Program {
public:
    // `messages` null: message boxes over the main window. Tests pass their
    // own to answer and collect; they also leave out the splash.
    explicit Program(UserMessages* messages = nullptr, bool withSplash = true);
    ~Program();

    // 1. the splash, shown and painted before anything else exists;
    // 2. the main window, the report window, the data module (whose tables
    //    the main window opens when it becomes active), the delete
    //    confirmation, the search window and the about box; the document
    //    viewer comes before its first use;
    // 3. the main window shown with the focus in the first-name box.
    void start();

    MainWindow& form1() const { return *form1_; }
    QWidget* form2() const { return form2_.get(); }
    DataModule& data() const { return *data_; }
    ExamineeRecord& record() const { return *record_; }
    UserMessages& messages() const { return *messages_; }
    DeleteConfirmation& form5() const { return *form5_; }
    SearchWindow& vyhledej() const { return *vyhledej_; }
    AboutBox& oprogramu() const { return *oprogramu_; }

private:
    bool withSplash_;
    std::unique_ptr<MessageBoxes> boxes_;
    UserMessages* messages_;
    std::unique_ptr<DataModule> data_;
    std::unique_ptr<ExamineeRecord> record_;
    std::unique_ptr<MainWindow> form1_;
    std::unique_ptr<QWidget> form2_;
    std::unique_ptr<DeleteConfirmation> form5_;
    std::unique_ptr<SearchWindow> vyhledej_;
    std::unique_ptr<AboutBox> oprogramu_;
};

} // namespace iksa::app
