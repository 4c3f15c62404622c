#include "DbfLayout.h"

#include <cctype>
#include <cerrno>
#include <unistd.h>

namespace iksa {

namespace {

constexpr int fileHeaderSize = 32;
constexpr int descriptorSize = 32;
constexpr char descriptorEnd = 0x0D;

quint16 le16(const QByteArray& b, int at) {
    return static_cast<quint16>(static_cast<quint8>(b[at]) | static_cast<quint8>(b[at + 1]) << 8);
}

quint32 le32(const QByteArray& b, int at) {
    return static_cast<quint32>(le16(b, at)) | static_cast<quint32>(le16(b, at + 2)) << 16;
}

QByteArray readAt(int fd, qint64 offset, int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    if (readFullyAt(fd, offset, bytes.data(), size) != size)
        throw DbfDamage{QStringLiteral("hlavičku tabulky nelze přečíst")};
    return bytes;
}

bool validName(const QByteArray& name) {
    if (name.isEmpty())
        return false;
    for (const char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            return false;
    return true;
}

DbfField readDescriptor(const QByteArray& d, int number) {
    DbfField field;
    const int nameEnd = d.indexOf('\0');
    field.name = d.left(nameEnd < 0 || nameEnd > 11 ? 11 : nameEnd);
    if (!validName(field.name))
        throw DbfDamage{QStringLiteral("pole č. %1 má neplatný název").arg(number)};
    field.type = d[11];
    const QString name = QString::fromLatin1(field.name);
    if (field.type == 'C') {
        // Character widths above 255 use the decimals byte as the high byte.
        field.width = le16(d, 16);
    } else if (field.type == 'N' || field.type == 'F') {
        field.width = static_cast<quint8>(d[16]);
        field.decimals = static_cast<quint8>(d[17]);
        if (field.width > 32 || (field.decimals > 0 && field.decimals >= field.width))
            throw DbfDamage{QStringLiteral("číselné pole „%1“ má neplatnou šířku %2.%3")
                                .arg(name)
                                .arg(field.width)
                                .arg(field.decimals)};
    } else {
        const QChar shown =
            QChar::fromLatin1(field.type).isPrint() ? QChar::fromLatin1(field.type) : QChar(u'?');
        throw DbfDamage{QStringLiteral("pole „%1“ má typ „%2“, který program nečte (jen C, N a F)")
                            .arg(name, shown)};
    }
    if (field.width <= 0)
        throw DbfDamage{QStringLiteral("pole „%1“ má nulovou šířku").arg(name)};
    return field;
}

} // namespace

qint64 readFullyAt(int fd, qint64 offset, char* into, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t n =
            ::pread(fd, into + done, static_cast<std::size_t>(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

DbfLayout readDbfLayout(int fd, qint64 fileSize) {
    if (fileSize < fileHeaderSize)
        throw DbfDamage{
            QStringLiteral("soubor je kratší než hlavička tabulky (%1 bajtů)").arg(fileSize)};
    const QByteArray head = readAt(fd, 0, fileHeaderSize);
    DbfLayout layout;
    layout.version = static_cast<quint8>(head[0]);
    // 0x03: dBASE III (also dBASE IV without memo); 0x83: the same with a memo file.
    if (layout.version != 0x03 && layout.version != 0x83)
        throw DbfDamage{QStringLiteral("tabulka je ve formátu dBASE, který program nečte "
                                       "(bajt verze 0x%1; čte tabulky dBASE III)")
                            .arg(QString::number(layout.version, 16)
                                     .toUpper()
                                     .rightJustified(2, QLatin1Char('0')))};
    layout.recordCount = le32(head, 4);
    layout.headerLength = le16(head, 8);
    layout.recordLength = le16(head, 10);
    if (layout.headerLength < fileHeaderSize + 1 || layout.headerLength > fileSize)
        throw DbfDamage{QStringLiteral("hlavička tabulky je poškozená (udává délku %1 bajtů, "
                                       "soubor má %2)")
                            .arg(layout.headerLength)
                            .arg(fileSize)};

    const QByteArray header = readAt(fd, 0, layout.headerLength);
    int at = fileHeaderSize;
    int recordWidth = 1;
    bool ended = false;
    while (at < layout.headerLength) {
        if (header[at] == descriptorEnd) {
            ended = true;
            break;
        }
        if (at + descriptorSize > layout.headerLength)
            break;
        DbfField field = readDescriptor(header.mid(at, descriptorSize), layout.fields.size() + 1);
        field.offset = recordWidth;
        recordWidth += field.width;
        layout.fields.append(field);
        at += descriptorSize;
    }
    if (!ended)
        throw DbfDamage{QStringLiteral("popis polí v hlavičce není ukončen (chybí bajt 0x0D)")};
    if (layout.fields.isEmpty())
        throw DbfDamage{QStringLiteral("tabulka nemá žádná pole")};
    if (layout.recordLength != recordWidth)
        throw DbfDamage{QStringLiteral("délka záznamu v hlavičce (%1 bajtů) neodpovídá "
                                       "součtu šířek polí (%2 bajtů)")
                            .arg(layout.recordLength)
                            .arg(recordWidth)};
    const qint64 room = (fileSize - layout.headerLength) / layout.recordLength;
    if (layout.recordCount > room)
        throw DbfDamage{QStringLiteral("hlavička udává %1 záznamů, soubor jich obsahuje jen %2")
                            .arg(layout.recordCount)
                            .arg(room)};
    return layout;
}

} // namespace iksa
