#include "appearance/theme_files.h"
#include "common/numbers.h"

#include <QTest>

using namespace morva;

class LeadingNumberTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reads_data();
    void reads();
    void readsWholeNumbers_data();
    void readsWholeNumbers();
    void themeLookup_data();
    void themeLookup();
};

void LeadingNumberTest::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "7" << 7.0;
    QTest::newRow("leading zero") << "07" << 7.0;
    QTest::newRow("fraction") << "7.5" << 7.5;
    QTest::newRow("whole with point") << "3.0" << 3.0;
    QTest::newRow("leading blanks") << "  12" << 12.0;
    QTest::newRow("tab") << "\t9" << 9.0;
    QTest::newRow("trailing text") << "95 points" << 95.0;
    QTest::newRow("stops at letter") << "4a5" << 4.0;
    QTest::newRow("negative") << "-2" << -2.0;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("exponent") << "1e2" << 100.0;
    QTest::newRow("bare exponent letter") << "2e" << 2.0;
    QTest::newRow("exponent without digits") << "2e+x" << 2.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank") << "   " << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("blank inside") << "1 2" << 1.0;
    QTest::newRow("persian digits") << "۴۲" << 42.0;
    QTest::newRow("arabic-indic digits") << "٩" << 9.0;
    QTest::newRow("two points") << "1.2.3" << 1.2;
}

void LeadingNumberTest::reads()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(LeadingNumber(text), value);
}

void LeadingNumberTest::readsWholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    QTest::newRow("latin") << "34" << std::optional(34.0);
    QTest::newRow("persian digits") << "۴۲" << std::optional(42.0);
    QTest::newRow("arabic-indic digits") << "٣٥" << std::optional(35.0);
    QTest::newRow("mixed digits") << "۴2" << std::optional(42.0);
    QTest::newRow("blanks around") << " ۴۲ " << std::optional(42.0);
    QTest::newRow("fraction") << "7.5" << std::optional(7.5);
    QTest::newRow("empty") << "" << std::optional<double>();
    QTest::newRow("blank") << "  " << std::optional<double>();
    QTest::newRow("words") << "سی" << std::optional<double>();
    QTest::newRow("number and a word") << "۴۲ سال" << std::optional<double>();
    QTest::newRow("two numbers") << "1 2" << std::optional<double>();
    QTest::newRow("sign only") << "-" << std::optional<double>();
}

void LeadingNumberTest::readsWholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, value);
    QCOMPARE(WholeNumber(text), value);
}

void LeadingNumberTest::themeLookup_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("skin");
    const char *files[] = {"chizh.skn", "Green.skn", "galaxy.skn", "_temp.skn", "B-Studio.skn", "Mac.skn",
                           "TopSecret.skn", "metallic.skn", "Paper.skn", "winaqua.skn", "office2007.skn"};
    for (int theme = 1; theme <= 11; ++theme)
        QTest::newRow(qPrintable(QString::number(theme))) << QString::number(theme) << QString(files[theme - 1]);
    QTest::newRow("07") << "07" << "TopSecret.skn";
    QTest::newRow("7.0") << "7.0" << "TopSecret.skn";
    QTest::newRow("blank 7") << " 7" << "TopSecret.skn";
    QTest::newRow("7.5") << "7.5" << "";
    QTest::newRow("3.5") << "3.5" << "";
    QTest::newRow("0") << "0" << "";
    QTest::newRow("12") << "12" << "";
    QTest::newRow("-2") << "-2" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("text") << "blue" << "";
}

void LeadingNumberTest::themeLookup()
{
    QFETCH(QString, field);
    QFETCH(QString, skin);
    QCOMPARE(ThemeSkinFile(field), skin);
}

QTEST_GUILESS_MAIN(LeadingNumberTest)
#include "test_leading_number.moc"
