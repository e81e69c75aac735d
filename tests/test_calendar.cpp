#include "calendar/jalali.h"
#include "common/persian_digits.h"

#include <QTest>

using namespace morva;

class CalendarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void knownDates_data();
    void knownDates();
    void styles();
    void timeOfDayIsIgnored();
    void leapYears();
    void beforeTheEpoch();
    void sweepAgainstDayByDayWalk();
    void persianDigitsForPeople();
};

static QDateTime At(int y, int m, int d, int h = 12, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

void CalendarTest::knownDates_data()
{
    QTest::addColumn<QDate>("gregorian");
    QTest::addColumn<QString>("style0");
    QTest::newRow("epoch") << QDate(1953, 3, 21) << "1332/01/01";
    QTest::newRow("1402 new year") << QDate(2023, 3, 21) << "1402/01/01";
    QTest::newRow("1402 is common") << QDate(2024, 3, 19) << "1402/12/29";
    QTest::newRow("1403 new year") << QDate(2024, 3, 20) << "1403/01/01";
    QTest::newRow("1403 is leap") << QDate(2025, 3, 20) << "1403/12/30";
    QTest::newRow("1404 new year") << QDate(2025, 3, 21) << "1404/01/01";
    QTest::newRow("revolution") << QDate(1979, 2, 11) << "1357/11/22";
    QTest::newRow("y2k") << QDate(2000, 1, 1) << "1378/10/11";
    QTest::newRow("9 mordad") << QDate(2023, 7, 31) << "1402/05/09";
    QTest::newRow("31 shahrivar") << QDate(2023, 9, 22) << "1402/06/31";
    QTest::newRow("1 mehr") << QDate(2023, 9, 23) << "1402/07/01";
}

void CalendarTest::knownDates()
{
    QFETCH(QDate, gregorian);
    QFETCH(QString, style0);
    QCOMPARE(PersianDateText(QDateTime(gregorian, QTime(9, 30))), style0);
}

void CalendarTest::styles()
{
    const QDateTime nowruz1403 = At(2024, 3, 20);
    QCOMPARE(PersianDateText(nowruz1403, 0), QStringLiteral("1403/01/01"));
    QCOMPARE(PersianDateText(nowruz1403, 1), QStringLiteral("1 فروردين 1403"));
    QCOMPARE(PersianDateText(nowruz1403, 2), QStringLiteral("چهارشنبه 1403/1/1"));
    QCOMPARE(PersianDateText(nowruz1403, 3), QStringLiteral("چهارشنبه 1 فروردين 1403"));
    QCOMPARE(PersianDateText(nowruz1403, 4), QStringLiteral("1403.1.1"));
    QCOMPARE(PersianDateText(nowruz1403, 5), QString());
    QCOMPARE(PersianDateText(nowruz1403, -1), QString());

    QCOMPARE(PersianDateText(At(1953, 3, 21), 2), QStringLiteral("شنبه 1332/1/1"));
    QCOMPARE(PersianDateText(At(2000, 1, 1), 3), QStringLiteral("شنبه 11 دي 1378"));
    QCOMPARE(PersianDateText(At(2023, 7, 31), 4), QStringLiteral("1402.5.9"));
    QCOMPARE(PersianDateText(At(2023, 7, 31), 1), QStringLiteral("9 مرداد 1402"));

    // Every month and weekday name, byte for byte.
    const QStringList months{"فروردين", "ارديبهشت", "خرداد", "تير", "مرداد", "شهريور",
                             "مهر", "آبان", "آذر", "دي", "بهمن", "اسفند"};
    for (int month = 1; month <= 12; ++month) {
        const QDate firstOfMonth = QDate(2023, 3, 21).addDays(month <= 6 ? (month - 1) * 31 : 186 + (month - 7) * 30);
        QCOMPARE(PersianDateText(QDateTime(firstOfMonth, QTime()), 1), QStringLiteral("1 ") + months[month - 1] + " 1402");
    }
    const QStringList weekdays{"يکشنبه", "دوشنبه", "سه شنبه", "چهارشنبه", "پنجشنبه", "جمعه", "شنبه"};
    const QDate sunday(2024, 3, 24);
    for (int i = 0; i < 7; ++i) {
        const QDateTime day(sunday.addDays(i), QTime(8, 0));
        QCOMPARE(ToJalaliDate(day).weekday, i + 1);
        QVERIFY(PersianDateText(day, 2).startsWith(weekdays[i] + " 1403/1/"));
    }
}

void CalendarTest::timeOfDayIsIgnored()
{
    for (int style = 0; style <= 4; ++style)
        QCOMPARE(PersianDateText(At(2024, 3, 19, 0, 0), style), PersianDateText(At(2024, 3, 19, 23, 59), style));
}

void CalendarTest::leapYears()
{
    const QList<int> listed{1333, 1337, 1342, 1346, 1350, 1354, 1358, 1362, 1366, 1370, 1375, 1379, 1383, 1387, 1391,
                            1395, 1399, 1403, 1408, 1412, 1416, 1420, 1424, 1428, 1432, 1436, 1437, 1441, 1445, 1449};
    for (int year = 1332; year <= 1450; ++year)
        QVERIFY2(IsJalaliLeapYear(year) == listed.contains(year), qPrintable(QString::number(year)));
}

void CalendarTest::beforeTheEpoch()
{
    const QDateTime before = At(1953, 3, 20, 23, 59);
    for (int style = 0; style <= 4; ++style)
        QCOMPARE(PersianDateText(before, style), QString());
    QCOMPARE(ToJalaliDate(before).year, 0);
    QCOMPARE(JalaliFromDayCount(-1).month, 0);
    QCOMPARE(PersianDateText(At(1900, 1, 1)), QString());
}

// Walks the calendar one day at a time from the epoch with month lengths of its own and the
// documented leap years, and compares every day up to 1450 with the conversion.
void CalendarTest::sweepAgainstDayByDayWalk()
{
    const QList<int> leap{1333, 1337, 1342, 1346, 1350, 1354, 1358, 1362, 1366, 1370, 1375, 1379, 1383, 1387, 1391,
                          1395, 1399, 1403, 1408, 1412, 1416, 1420, 1424, 1428, 1432, 1436, 1437, 1441, 1445, 1449};
    int y = 1332, m = 1, d = 1;
    QDate gregorian(1953, 3, 21);
    int weekday = 7; // 21 March 1953 was a Saturday
    for (qint64 n = 0; y <= 1450; ++n) {
        const JalaliDate fromCount = JalaliFromDayCount(n);
        QVERIFY2(fromCount.year == y && fromCount.month == m && fromCount.day == d,
                 qPrintable(QStringLiteral("day %1: %2/%3/%4").arg(n).arg(y).arg(m).arg(d)));
        const JalaliDate fromClock = ToJalaliDate(QDateTime(gregorian, QTime(17, 45)));
        QCOMPARE(fromClock.year, y);
        QCOMPARE(fromClock.month, m);
        QCOMPARE(fromClock.day, d);
        QCOMPARE(fromClock.weekday, weekday);

        const int monthLength = m <= 6 ? 31 : m <= 11 ? 30 : leap.contains(y) ? 30 : 29;
        if (++d > monthLength) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
        gregorian = gregorian.addDays(1);
        weekday = weekday % 7 + 1;
    }
}

// What people read in Persian: Persian digits and the Persian decimal sign; the date's own text
// stays in Latin digits for storage and file names.
void CalendarTest::persianDigitsForPeople()
{
    QCOMPARE(PersianDigits("1403/05/09 10:00:00"), QStringLiteral("۱۴۰۳/۰۵/۰۹ ۱۰:۰۰:۰۰"));
    QCOMPARE(PersianDigits("K-12، پلاک 7"), QStringLiteral("K-۱۲، پلاک ۷"));
    QCOMPARE(PersianDigits("۱۲ and 3.5"), QStringLiteral("۱۲ and ۳.۵")); // a point in a text stays a point
    QCOMPARE(PersianNumber(97 / 15.0, 2), QStringLiteral("۶٫۴۷"));
    QCOMPARE(PersianNumber(98 / 15.0, 2), QStringLiteral("۶٫۵۳"));
    QCOMPARE(PersianNumber(1405), QStringLiteral("۱۴۰۵"));
    QCOMPARE(PersianNumber(8, 2), QStringLiteral("۸٫۰۰"));
    QCOMPARE(PersianDigits(PersianDateText(At(2026, 12, 9), 3)), QStringLiteral("چهارشنبه ۱۸ آذر ۱۴۰۵"));
    QCOMPARE(PersianDateText(At(2026, 12, 9), 0), QStringLiteral("1405/09/18"));
}

QTEST_GUILESS_MAIN(CalendarTest)
#include "test_calendar.moc"
