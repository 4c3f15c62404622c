#pragma once

#include <QDialog>

namespace iksa::app {

// "Oprogramu": the about box, fixed size, on top, centred; " Zavřít" closes it.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
    void showCentred(); // does not block the main window
};

} // namespace iksa::app
