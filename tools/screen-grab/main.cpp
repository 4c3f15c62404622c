// iksa-screen-grab OUT.png: a picture of the whole X screen named by
// $DISPLAY, for checking the installed program under Xvfb. Fails when the
// screen shows a single colour, that is, nothing was drawn on it.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Použití: iksa-screen-grab VÝSTUP.png\n");
        return 2;
    }
    const QImage image = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "Snímek obrazovky do %s nelze uložit.\n", argv[1]);
        return 1;
    }
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return 0;
    std::fprintf(stderr, "Obrazovka je prázdná (jediná barva).\n");
    return 1;
}
