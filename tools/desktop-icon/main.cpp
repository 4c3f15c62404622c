// iksa-desktop-icon OUT.png SIZE: the program's icon for the desktop menu,
// the same emblem as the window icon.
#include "Pictures.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    bool sizeOk = false;
    const int size = argc == 3 ? QByteArray(argv[2]).toInt(&sizeOk) : 0;
    if (!sizeOk || size < 16 || size > 1024) {
        std::fprintf(stderr, "Použití: iksa-desktop-icon VÝSTUP.png VELIKOST (16 až 1024)\n");
        return 2;
    }
    if (!iksa::app::Pictures::emblem(size).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "Soubor %s nelze zapsat.\n", argv[1]);
        return 1;
    }
    return 0;
}
