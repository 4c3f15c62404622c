#pragma once

#include <QDateTime>
#include <optional>

namespace iksa {

// The packed MS-DOS date and time of a file: date in the high 16 bits
// (years since 1980, month, day), time in the low 16 bits (hour, minute,
// seconds / 2), always in local time.
struct DosDateTimeFields {
    int year = 1980;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Packs a time as local time. Times before 1980 or after 2107 cannot be
// packed and are clamped to the first or last packable second; odd seconds
// round down.
quint32 packDosDateTime(const QDateTime& time);

// The fields as stored, without any check (for listings).
DosDateTimeFields dosDateTimeFields(quint32 packed);

// The local time a packed value stands for, or nothing when its fields do not
// form a valid date and time (a damaged or foreign archive).
std::optional<QDateTime> unpackDosDateTime(quint32 packed);

} // namespace iksa
