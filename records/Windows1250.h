#pragma once

#include <QByteArray>
#include <QString>

namespace iksa {

// Windows-1250 (Central European), the code page of the table files. Qt has
// no converter for it, so the 128 upper code points are a table here.
class Windows1250 {
public:
    // Every byte decodes; the five bytes the code page leaves undefined
    // (0x81, 0x83, 0x88, 0x90, 0x98) become the C1 controls of the same value
    // so that they survive a round trip.
    static QString decode(QByteArrayView bytes);

    // The bytes of `text`; `ok` is false when a character has no Windows-1250
    // form, and `badChar` then holds the first such character.
    static QByteArray encode(const QString& text, bool* ok, QString* badChar = nullptr);
};

} // namespace iksa
