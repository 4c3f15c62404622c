#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace iksa {
class EvaluationOptions;
class EvaluationPage;
class ExamineeRecord;
class TForm2;
class UserMessages;
} // namespace iksa

namespace iksa::app {

// The print commands of the main window: "Preview" (Button3), "Tisk"
// (Button4) and the menu "Tisk" › "Vyhodnocení" (Vhodnocen1). Each runs the
// evaluation first, then composes the protocol into the report window's
// preview or straight onto the printer and stores the record (Tisk_IKSA).
class PrintCommands : public QObject {
    Q_OBJECT

public:
    // `evaluate` is the click action of "Vyhodnotit" with its checks and
    // messages. The report window gets the protocol's two pictures.
    PrintCommands(ExamineeRecord& record, const EvaluationOptions& options, EvaluationPage& page,
                  UserMessages& messages, TForm2& form2, std::function<void()> evaluate,
                  QObject* parent = nullptr);

    // The caption of item 1 on the page of subtest 1, hidden while a
    // command runs (and after a preview).
    void setLabel1(QWidget* label) { label1_ = label; }

    void Button3Click();    // evaluate, show Form2, compose into the preview
    void Button4Click();    // hourglass, evaluate, compose onto the printer, arrow
    void Vhodnocen1Click(); // the same as Button4Click
    // Composes the protocol and stores the row of Table3; a failure (no
    // printer, an entry that is not a number) is shown as a message.
    void Tisk_IKSA();

private:
    void setLabel1Visible(bool visible);

    ExamineeRecord& record_;
    const EvaluationOptions& options_;
    EvaluationPage& page_;
    UserMessages& messages_;
    TForm2& form2_;
    std::function<void()> evaluate_;
    QPointer<QWidget> label1_;
};

} // namespace iksa::app
