#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace iksa {

// The structure of a dBASE III table file as its header describes it.
struct DbfField {
    QByteArray name; // as stored, ASCII
    char type = 'C'; // 'C', 'N' or 'F'
    int width = 0;
    int decimals = 0;
    int offset = 0; // within the record; byte 0 is the deletion flag
};

struct DbfLayout {
    quint8 version = 0x03;
    qint64 recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    QVector<DbfField> fields;

    qint64 recordOffset(qint64 row) const { return headerLength + row * recordLength; }
};

// A header that this engine does not read, with the cause in Czech.
struct DbfDamage {
    QString cause;
};

// Reads and checks the header of the open file `fd` whose size is `fileSize`:
// version byte of a dBASE III table, field descriptors of types C, N and F
// ended by 0x0D within the header length, record length = 1 + the widths,
// and room in the file for every record the header counts. Throws DbfDamage.
DbfLayout readDbfLayout(int fd, qint64 fileSize);

// Reads `size` bytes at `offset` of the open file `fd` into `into`, going on
// after short reads and interruptions; returns the bytes read, fewer at the
// end of the file or on an error.
qint64 readFullyAt(int fd, qint64 offset, char* into, qint64 size);

} // namespace iksa
