#include "SplashWindow.h"

#include "Pictures.h"
#include "ScreenCentre.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

namespace iksa::app {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , picture_(Pictures::splash(pictureSize)) {
    setObjectName(QStringLiteral("Logo"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size =
        pictureSize.scaled(screen.size() * 0.7, Qt::KeepAspectRatio).boundedTo(pictureSize);
    resize(size);
    centreOnScreen(*this);
}

void SplashWindow::showAndPaint() {
    show();
    raise();
    repaint();
    QApplication::processEvents();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QSize scaled = picture_.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), scaled);
    target.moveCenter(rect().center());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(target, picture_);
}

} // namespace iksa::app
