#pragma once

#include <QDateTime>
#include <QString>

namespace morva {

// A day of the Persian solar calendar. weekday: 1 = Sunday ... 7 = Saturday (0 when unknown).
struct JalaliDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;
};

bool IsJalaliLeapYear(int year);

// dayCount counts days from 1 Farvardin 1332 (21 March 1953), which is day 0.
// weekday is left 0; a negative count gives a date with every field 0.
JalaliDate JalaliFromDayCount(qint64 dayCount);

// Only the calendar date of the moment counts; before 21 March 1953 every field is 0.
JalaliDate ToJalaliDate(const QDateTime &moment);

// Styles: 0 1403/01/01, 1 "1 فروردين 1403", 2 weekday + 1403/1/1, 3 weekday + "1 فروردين 1403",
// 4 1403.1.1. Any other style, or a moment before 21 March 1953, gives an empty text.
QString PersianDateText(const QDateTime &moment, int style = 0);

} // namespace morva
