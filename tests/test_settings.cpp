#include "app/frm1.h"
#include "app/startup.h"
#include "appearance/credits.h"
#include "appearance/theme_files.h"
#include "appearance/ui/about.h"
#include "appearance/ui/frm2.h"
#include "appearance/ui/frm_skin.h"
#include "records/settings_store.h"
#include "records/sqlite/data_connection.h"
#include "records/ui/shared_server_window.h"
#include "scoring/result_sheet.h"
#include "scoring/ui/data_r_print.h"
#include "scoring/ui/frm_klid.h"
#include "support/window_support.h"
#include "common/timing.h"
#include "ui/twips.h"

#include <QElapsedTimer>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTimer>

using namespace morva;
using namespace morva::testing;

namespace {

const struct {
    const char *button;
    int theme;
} kThemeButtons[] = {
    {"Command45", 1}, {"Command44", 2}, {"Command43", 3}, {"Command42", 4},  {"Command50", 5},  {"Command49", 6},
    {"Command48", 7}, {"Command47", 8}, {"Command41", 9}, {"Command52", 10}, {"Command53", 11},
};

struct Settings {
    QString theme, name, address;
};

Settings Stored()
{
    DataConnection db(DataFile::Settings, "check");
    QSqlQuery q = db.run("SELECT \"TH\", \"Name\", \"Adress\" FROM \"Theme\"");
    if (!q.next())
        return {};
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
}

void Store(const Settings &s)
{
    DataConnection db(DataFile::Settings, "setup");
    db.run("UPDATE \"Theme\" SET \"TH\" = ?, \"Name\" = ?, \"Adress\" = ?", {s.theme, s.name, s.address});
}

template <class T> T *Shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

template <class T> T *Child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}

void Click(QWidget *w, const char *button)
{
    QTest::mouseClick(Child<QPushButton>(w, button), Qt::LeftButton);
}

// Runs the event loop, without pausing between rounds as QTest::qWaitFor does, until done()
// holds or timeoutMs have passed: a bound only a fault reaches, not a busy machine. Whether done()
// held: a moment of an animation may pass again before the loop has returned.
bool RunUntil(const std::function<bool()> &done, int timeoutMs = 60000)
{
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    bool held = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        held = held || done();
        if (held || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return held;
}

void DeliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void panelsOpenAndCloseAsTheMenuSays();
    void savedClinicSurvivesARestartAndIsPrinted();
    void abandonedEditIsNeverWritten();
    void sharedServerIsKeptAndForgotten();
    void everyThemeButtonStoresItsNumberAndReturnsInIt();
    void previewClosedByItsCloseBoxBringsTheMainWindowBack();
    void triangleAndAboutOpenOverTheMainWindow();
    void aboutTimersRunAtTheirDesignedPace();

private:
    std::unique_ptr<DataFolder> folder_;
};

void SettingsTest::initTestCase()
{
    ConfigureApplication(*qApp);
    SetDelayScale(0.01);
}

void SettingsTest::init()
{
    folder_ = std::make_unique<DataFolder>();
}

void SettingsTest::cleanup()
{
    DeleteAllWindows();
    folder_.reset();
}

void SettingsTest::panelsOpenAndCloseAsTheMenuSays()
{
    Frm1 w(folder_->stores());
    w.show();
    Click(&w, "Command1");
    QCOMPARE(VisiblePanels(&w), QStringList{"Frame10"});
    Click(&w, "Command9");
    QCOMPARE(VisiblePanels(&w), QStringList{"Frame8"});
    QCOMPARE(Child<QGroupBox>(&w, "Frame8")->geometry(), TwipsRect(6060, 3780, 2175, 2655));

    Click(&w, "Command68");
    QCOMPARE(VisiblePanels(&w), (QStringList{"Frame6", "Frame8"}));
    auto *themes = Child<QGroupBox>(&w, "Frame6");
    QCOMPARE(themes->geometry(), TwipsRect(3420, 480, 2595, 7440));
    for (const auto &b : kThemeButtons)
        QCOMPARE(Child<QPushButton>(themes, b.button)->text(), QStringLiteral("تم شماره %1").arg(b.theme));
    Click(&w, "Command46");
    QCOMPARE(VisiblePanels(&w), QStringList{"Frame8"});

    Click(&w, "Command68");
    Click(&w, "Command67"); // the theme panel gives way to the clinic panel
    QCOMPARE(VisiblePanels(&w), (QStringList{"Frame8", "Frame9"}));
    QCOMPARE(Child<QGroupBox>(&w, "Frame9")->geometry(), TwipsRect(1620, 840, 6075, 2295));
    Click(&w, "Command7");
    QCOMPARE(VisiblePanels(&w), QStringList{"Frame8"});
    Click(&w, "Command67");
    Click(&w, "Command69");
    QCOMPARE(VisiblePanels(&w), QStringList{});
}

void SettingsTest::savedClinicSurvivesARestartAndIsPrinted()
{
    Store({"1", "مرکز قدیم", ""});
    QStringList answers;
    for (int item = 1; item <= 45; ++item)
        answers << "7";
    InsertSubject("K-1", "سارا", "علی", answers);

    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    auto *heading = Child<QLabel>(main, "SkinLabel1");
    QCOMPARE(heading->text(), QStringLiteral("مرکز قدیم"));
    Click(main, "Command9");
    Click(main, "Command67");
    auto *name = Child<QLineEdit>(main, "Text2");
    QCOMPARE(name->text(), QStringLiteral("مرکز قدیم"));
    name->selectAll();
    TypeText(name, "کلینیک");
    QCOMPARE(heading->text(), QStringLiteral("کلینیک"));
    TypeText(name, " آرامش");
    QCOMPARE(heading->text(), QStringLiteral("کلینیک آرامش"));
    TypeText(Child<QLineEdit>(main, "Text14"), "تهران، خیابان 'ولیعصر'");
    QCOMPARE(Stored().name, QStringLiteral("مرکز قدیم")); // typing alone writes nothing

    Click(main, "Command64");
    QCOMPARE(VisiblePanels(main), QStringList{"Frame8"});
    QCOMPARE(Stored().name, QStringLiteral("کلینیک آرامش"));
    QCOMPARE(Stored().address, QStringLiteral("تهران، خیابان 'ولیعصر'"));
    QCOMPARE(Stored().theme, QStringLiteral("1"));
    // However long, a name or an address is stored whole.
    Click(main, "Command67");
    const QString longAddress = QString(40000, QChar(0x0628));
    Child<QLineEdit>(main, "Text14")->setText(longAddress);
    Click(main, "Command64");
    QCOMPARE(Stored().address, longAddress);
    Click(main, "Command67");
    Child<QLineEdit>(main, "Text14")->setText("تهران، خیابان 'ولیعصر'");
    Click(main, "Command64");
    main->close();

    Frm1 again(folder_->stores());
    again.show();
    QCOMPARE(Child<QLabel>(&again, "SkinLabel1")->text(), QStringLiteral("کلینیک آرامش"));
    Click(&again, "Command9");
    Click(&again, "Command67");
    QCOMPARE(Child<QLineEdit>(&again, "Text2")->text(), QStringLiteral("کلینیک آرامش"));
    QCOMPARE(Child<QLineEdit>(&again, "Text14")->text(), QStringLiteral("تهران، خیابان 'ولیعصر'"));

    FrmkLID scoring(folder_->stores());
    scoring.show();
    WhenModal<QInputDialog>([](QInputDialog *d) {
        d->setTextValue("K-1");
        d->accept();
    });
    Click(&scoring, "Command1");
    Click(&scoring, "Command6");
    auto *report = scoring.findChild<DataRPrint *>();
    QVERIFY(report);
    const ResultSheet &sheet = dynamic_cast<const ResultSheetDocument &>(report->document()).sheet();
    QCOMPARE(sheet.clinicName, QStringLiteral("کلینیک آرامش"));
    QCOMPARE(sheet.address, QStringLiteral("تهران، خیابان 'ولیعصر'"));
}

void SettingsTest::abandonedEditIsNeverWritten()
{
    Store({"2", "مرکز یک", "نشانی یک"});
    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    Click(main, "Command9");
    Click(main, "Command67");
    TypeText(Child<QLineEdit>(main, "Text2"), " تغییر");
    TypeText(Child<QLineEdit>(main, "Text14"), " تغییر");
    Click(main, "Command7");
    QCOMPARE(VisiblePanels(main), QStringList{"Frame8"});
    QCOMPARE(Child<QLabel>(main, "SkinLabel1")->text(), QStringLiteral("مرکز یک تغییر")); // until the next load

    Click(main, "Command68");
    Click(main, "Command50"); // a theme choice writes the theme's number alone
    QCOMPARE(Stored().theme, QStringLiteral("5"));
    QCOMPARE(Stored().name, QStringLiteral("مرکز یک"));
    QCOMPARE(Stored().address, QStringLiteral("نشانی یک"));
    Shown<Frmskin>()->close();
    DeliverDeletes();

    main = Shown<Frm1>();
    QVERIFY(main);
    QCOMPARE(Child<QLabel>(main, "SkinLabel1")->text(), QStringLiteral("مرکز یک"));
    Click(main, "Command9");
    Click(main, "Command67");
    QCOMPARE(Child<QLineEdit>(main, "Text14")->text(), QStringLiteral("نشانی یک"));
    TypeText(Child<QLineEdit>(main, "Text2"), " دو"); // never saved
    main->close();
    DeliverDeletes();
    QCOMPARE(Stored().name, QStringLiteral("مرکز یک"));
    QCOMPARE(Stored().theme, QStringLiteral("5"));
}

// The clinic's server typed in its window goes into the settings file as the server's own ways want
// it (blanks gone, the port in Latin digits), and never with the password; it shows again when the
// window opens; a choice without a database is refused, writing nothing; the return to the desk's
// own file forgets the server.
void SettingsTest::sharedServerIsKeptAndForgotten()
{
    const auto storedServers = [] {
        DataConnection db(DataFile::Settings, "check");
        QSqlQuery q = db.run("SELECT \"Host\", \"Port\", \"Database\", \"User\", \"TlsMode\" FROM \"SharedServer\"");
        QStringList rows;
        while (q.next())
            rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                q.value(3).toString(), q.value(4).toString()}.join(u'|');
        return rows;
    };
    const QStringList kept{"db.clinic.local|6432|morva|room2|verify-full"};
    Frm1 w(folder_->stores());
    w.show();
    Click(&w, "Command9");
    std::shared_ptr<SeenBox> saved;
    WhenModal<SharedServerWindow>([&](SharedServerWindow *window) {
        Child<QLineEdit>(window, "TextHost")->setText(" db.clinic.local ");
        TypeText(Child<QLineEdit>(window, "TextPort"), QStringLiteral("۶۴۳۲"));
        Child<QLineEdit>(window, "TextDatabase")->setText("morva");
        Child<QLineEdit>(window, "TextUser")->setText("room2");
        auto *tls = Child<QComboBox>(window, "ComboTls");
        tls->setCurrentIndex(tls->findData("verify-full"));
        Child<QLineEdit>(window, "TextPassword")->setText("s3cret-Pass");
        saved = AnswerNextBox();
        Click(window, "CmdSave");
    });
    Click(&w, "CmdSharedServer");
    QVERIFY(saved && saved->seen);
    QVERIFY2(saved->text.contains(QStringLiteral("از دفعه‌ی بعد که برنامه باز شود")), qPrintable(saved->text));
    QCOMPARE(storedServers(), kept);
    QFile file(folder_->file("DB/DB.mdb"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("s3cret-Pass"));

    std::shared_ptr<SeenBox> refused, forgotten;
    WhenModal<SharedServerWindow>([&](SharedServerWindow *window) {
        QCOMPARE(Child<QLineEdit>(window, "TextHost")->text(), QStringLiteral("db.clinic.local"));
        QCOMPARE(Child<QLineEdit>(window, "TextPort")->text(), QStringLiteral("6432"));
        QCOMPARE(Child<QComboBox>(window, "ComboTls")->currentData().toString(), QStringLiteral("verify-full"));
        QCOMPARE(Child<QLineEdit>(window, "TextPassword")->text(), QString());
        Child<QLineEdit>(window, "TextDatabase")->clear();
        refused = AnswerNextBox();
        Click(window, "CmdSave");
        QVERIFY(window->isVisible());
        QCOMPARE(storedServers(), kept);
        for (const char *field : {"TextHost", "TextPort", "TextUser"}) // the panel emptied
            Child<QLineEdit>(window, field)->clear();
        forgotten = AnswerNextBox();
        Click(window, "CmdSave");
    });
    Click(&w, "CmdSharedServer");
    QVERIFY(refused && refused->seen && forgotten && forgotten->seen);
    QCOMPARE(refused->text, QStringLiteral("لطفاً نام پایگاه داده را بنویسید."));
    QCOMPARE(storedServers(), QStringList());
    QCOMPARE(folder_->stores().settings.sharedServer(), std::nullopt);
    QCOMPARE(VisiblePanels(&w), QStringList{"Frame8"});
}

void SettingsTest::everyThemeButtonStoresItsNumberAndReturnsInIt()
{
    QPointer<Frm1> main = Frm1::ShowFresh(folder_->stores()); // theme 1: the first choice is the theme in use
    for (const auto &b : kThemeButtons) {
        const QString number = QString::number(b.theme);
        QSignalSpy left(main.data(), &Frm1::leftWithoutHandOver);
        Click(main, "Command9");
        Click(main, "Command68");
        Click(main, "Command68");
        Click(main, b.button);
        QCOMPARE(Stored().theme, number);
        QCOMPARE(left.count(), 0); // handed over, no exit dialog
        DeliverDeletes();
        QVERIFY(main.isNull());
        QVERIFY(!Shown<Frm1>());

        Frmskin *preview = Shown<Frmskin>();
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QCOMPARE(preview->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(preview->pos(), TwipsPoint(5000, 3500));
        QCOMPARE(Child<QLineEdit>(preview, "Text1")->text(), number);
        QCOMPARE(preview->styleSheet(), LoadSkin(ThemeSkinFile(number)));
        QVERIFY(!preview->styleSheet().isEmpty());
        auto *k1 = Child<QLabel>(preview, "k1");
        auto *k2 = Child<QLabel>(preview, "k2");
        QVERIFY(k1->isVisible() && !k2->isVisible());
        QTest::mouseClick(k1, Qt::LeftButton); // the normal look does not answer
        QVERIFY(preview->isVisible());
        QTest::mouseMove(preview, QPoint(4, 4)); // the background
        QTest::mouseMove(k1, k1->rect().center());
        QVERIFY(k2->isVisible() && !k1->isVisible());
        QTest::mouseMove(preview, QPoint(6, 6));
        QVERIFY(k1->isVisible() && !k2->isVisible());
        QTest::mouseMove(k1, k1->rect().center() + QPoint(1, 0));
        QVERIFY(k2->isVisible());
        QTest::mouseClick(k2, Qt::LeftButton);
        DeliverDeletes();
        QVERIFY(!Shown<Frmskin>());

        main = Shown<Frm1>();
        QVERIFY(main);
        QCOMPARE(Child<QLineEdit>(main, "Text1")->text(), number);
        QCOMPARE(main->styleSheet(), LoadSkin(ThemeSkinFile(number)));
        QCOMPARE(Child<QLineEdit>(main, "Text3")->text(), QStringLiteral("2"));
        QCOMPARE(VisiblePanels(main), QStringList{});
    }
}

void SettingsTest::previewClosedByItsCloseBoxBringsTheMainWindowBack()
{
    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    Click(main, "Command9");
    Click(main, "Command68");
    Click(main, "Command41");
    DeliverDeletes();
    Frmskin *preview = Shown<Frmskin>();
    QVERIFY(preview);
    QVERIFY(preview->close()); // as the title bar's close box does
    DeliverDeletes();
    main = Shown<Frm1>();
    QVERIFY(main);
    QCOMPARE(main->styleSheet(), LoadSkin("Paper.skn"));
}

void SettingsTest::triangleAndAboutOpenOverTheMainWindow()
{
    Store({"3", "", ""});
    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    Click(main, "Command9");

    bool menuStayed = false;
    QString title, sheet;
    QSize picture;
    WhenModal<Frm2>([&](Frm2 *d) {
        menuStayed = VisiblePanels(main) == QStringList{"Frame8"};
        title = d->windowTitle();
        sheet = d->styleSheet();
        picture = Child<QWidget>(d, "Picture1")->size();
        Click(d, "Command6");
    });
    Click(main, "Command51");
    QVERIFY(menuStayed);
    QCOMPARE(title, QStringLiteral("مثلث عشق"));
    QCOMPARE(sheet, LoadSkin("galaxy.skn"));
    QVERIFY(picture.width() > 300 && picture.height() > 300);
    QVERIFY(!Shown<Frm2>());

    const QStringList lines = CreditLines();
    bool menuHidden = false, unskinned = false, closedUp = false, looped = false, coloured = false;
    QString frameCaption, sentence, closedText;
    QStringList captions;
    QPoint place;
    WhenModal<About>([&](About *a) {
        menuHidden = VisiblePanels(main).isEmpty();
        unskinned = a->styleSheet().isEmpty() && a->parentWidget() == nullptr;
        title = a->windowTitle();
        place = a->pos();
        frameCaption = Child<QGroupBox>(a, "Frame1")->title();
        sentence = Child<QLineEdit>(a, "Text1")->text();
        for (const char *label : {"Label1", "Label2", "Label3", "Label4"})
            captions << Child<QLabel>(a, label)->text();
        auto *text1 = Child<QLineEdit>(a, "Text1");
        auto *label1 = Child<QLabel>(a, "Label1");
        closedUp = RunUntil([&] { return !text1->text().contains(u'.'); });
        closedText = text1->text();
        looped = RunUntil([&] { return label1->text() == lines[4]; });
        coloured = RunUntil([&] { return label1->palette().color(QPalette::WindowText) == QColor(0, 128, 0); });
        Click(a, "Command1");
    });
    Click(main, "Command11");
    QVERIFY(menuHidden);
    QVERIFY(unskinned);
    QCOMPARE(title, QStringLiteral("about"));
    QCOMPARE(place, TwipsPoint(1100, 1200));
    QCOMPARE(frameCaption, QStringLiteral("درباره"));
    QCOMPARE(sentence, CreditSentence());
    QCOMPARE(captions, lines.mid(0, 4));
    QVERIFY(closedUp);
    QCOMPARE(closedText, QStringLiteral("This Program Is Created By Morva  Team "));
    QVERIFY(looped);
    QVERIFY(coloured);
    QVERIFY(!Shown<About>());
}

void SettingsTest::aboutTimersRunAtTheirDesignedPace()
{
    SetDelayScale(1);
    About about;
    SetDelayScale(0.01);
    QCOMPARE(Child<QTimer>(&about, "Timer1")->interval(), 700);
    QCOMPARE(Child<QTimer>(&about, "Timer10")->interval(), 55);
    QCOMPARE(Child<QTimer>(&about, "Timer3")->interval(), 1);
    for (const char *timer : {"Timer1", "Timer10", "Timer3"})
        QVERIFY(Child<QTimer>(&about, timer)->isActive());
}

QTEST_MAIN(SettingsTest)
#include "test_settings.moc"
