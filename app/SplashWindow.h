#pragma once

#include <QPixmap>
#include <QWidget>

namespace iksa::app {

// The splash window "Logo": borderless, on top of all others, centred on the
// screen, showing the program's picture centred and scaled proportionally.
class SplashWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize pictureSize{1084, 792};

    explicit SplashWindow(QWidget* parent = nullptr);

    // Shows the window and lets it paint before anything else is created.
    void showAndPaint();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace iksa::app
