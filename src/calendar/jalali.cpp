#include "calendar/jalali.h"

#include <cstdlib>

namespace morva {
namespace {

constexpr int kBaseYear = 1332;
const QDate kEpoch(1953, 3, 21); // 1 Farvardin 1332

const char *const kMonthNames[12] = {
    "فروردين", "ارديبهشت", "خرداد", "تير", "مرداد", "شهريور",
    "مهر", "آبان", "آذر", "دي", "بهمن", "اسفند",
};

// Indexed by weekday - 1 (Sunday first).
const char *const kWeekdayNames[7] = {
    "يکشنبه", "دوشنبه", "سه شنبه", "چهارشنبه", "پنجشنبه", "جمعه", "شنبه",
};

QString MonthName(int month) { return QString::fromUtf8(kMonthNames[month - 1]); }
QString WeekdayName(int weekday) { return QString::fromUtf8(kWeekdayNames[weekday - 1]); }
QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

bool IsJalaliLeapYear(int year)
{
    const int n = year - 1309;
    const int q = n / 32;
    const int r = n % 32;
    return std::abs(r - q) % 4 == 0;
}

JalaliDate JalaliFromDayCount(qint64 dayCount)
{
    if (dayCount < 0)
        return {};
    int k = 0;
    qint64 rest = dayCount;
    for (;;) {
        const int length = IsJalaliLeapYear(kBaseYear + k) ? 366 : 365;
        if (rest - length < 0)
            break;
        rest -= length;
        ++k;
    }
    JalaliDate date;
    date.year = kBaseYear + k;
    const int r = static_cast<int>(rest);
    if (r <= 185) {
        date.month = r / 31 + 1;
        date.day = r % 31 + 1;
    } else {
        date.month = (r - 186) / 30 + 7;
        date.day = (r - 186) % 30 + 1;
    }
    return date;
}

JalaliDate ToJalaliDate(const QDateTime &moment)
{
    const QDate gregorian = moment.date();
    JalaliDate date = JalaliFromDayCount(kEpoch.daysTo(gregorian));
    if (date.year != 0)
        date.weekday = gregorian.dayOfWeek() % 7 + 1; // Qt: Monday 1 ... Sunday 7
    return date;
}

QString PersianDateText(const QDateTime &moment, int style)
{
    const JalaliDate d = ToJalaliDate(moment);
    if (d.year == 0)
        return {};
    const QString y = QString::number(d.year);
    const QString m = QString::number(d.month);
    const QString day = QString::number(d.day);
    switch (style) {
    case 0:
        return y + u'/' + TwoDigits(d.month) + u'/' + TwoDigits(d.day);
    case 1:
        return day + u' ' + MonthName(d.month) + u' ' + y;
    case 2:
        return WeekdayName(d.weekday) + u' ' + y + u'/' + m + u'/' + day;
    case 3:
        return WeekdayName(d.weekday) + u' ' + day + u' ' + MonthName(d.month) + u' ' + y;
    case 4:
        return y + u'.' + m + u'.' + day;
    default:
        return {};
    }
}

} // namespace morva
