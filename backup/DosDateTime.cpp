#include "DosDateTime.h"

namespace iksa {

quint32 packDosDateTime(const QDateTime& time) {
    const QDateTime local = time.toLocalTime();
    QDate date = local.date();
    QTime clock = local.time();
    if (date.year() < 1980) {
        date = QDate(1980, 1, 1);
        clock = QTime(0, 0, 0);
    } else if (date.year() > 2107) {
        date = QDate(2107, 12, 31);
        clock = QTime(23, 59, 58);
    }
    const quint32 packedDate =
        quint32(date.year() - 1980) << 9 | quint32(date.month()) << 5 | quint32(date.day());
    const quint32 packedTime =
        quint32(clock.hour()) << 11 | quint32(clock.minute()) << 5 | quint32(clock.second() / 2);
    return packedDate << 16 | packedTime;
}

DosDateTimeFields dosDateTimeFields(quint32 packed) {
    const quint32 date = packed >> 16;
    const quint32 time = packed & 0xFFFF;
    DosDateTimeFields fields;
    fields.year = 1980 + int(date >> 9);
    fields.month = int(date >> 5 & 0x0F);
    fields.day = int(date & 0x1F);
    fields.hour = int(time >> 11);
    fields.minute = int(time >> 5 & 0x3F);
    fields.second = int(time & 0x1F) * 2;
    return fields;
}

std::optional<QDateTime> unpackDosDateTime(quint32 packed) {
    const DosDateTimeFields f = dosDateTimeFields(packed);
    const QDate date(f.year, f.month, f.day);
    if (!date.isValid() || !QTime::isValid(f.hour, f.minute, f.second))
        return std::nullopt;
    const QDateTime time(date, QTime(f.hour, f.minute, f.second), Qt::LocalTime);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

} // namespace iksa
