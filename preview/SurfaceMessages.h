#pragma once

#include <QString>

namespace iksa::SurfaceMessages {

// The page in work could not be created or closed.
inline QString pageNotCreated() {
    return QStringLiteral("Not enough memory to create a new page");
}

inline QString printJobFailed() {
    return QStringLiteral("Tisk se nepodařilo zahájit. Zkontrolujte, zda je tiskárna připojena "
                          "a připravena.");
}

inline QString noPrinter() {
    return QStringLiteral("Není nainstalována žádná tiskárna. Protokol nelze vytisknout.");
}

inline QString pdfNotWritten(const QString& path) {
    return QStringLiteral("Soubor PDF „%1“ nelze zapsat.").arg(path);
}

inline QString noPages() {
    return QStringLiteral("Není zobrazen žádný protokol, který by bylo možné uložit.");
}

} // namespace iksa::SurfaceMessages
