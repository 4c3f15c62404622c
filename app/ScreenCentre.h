#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace iksa::app {

// Places a window in the middle of the primary screen's available area.
inline void centreOnScreen(QWidget& window) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
}

} // namespace iksa::app
