#include "app/app_context.h"
#include "app/frm1.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "ui/twips.h"
#include "appearance/theme_files.h"
#include "appearance/user_guide.h"
#include "ui/apply_theme.h"
#include "records/settings_store.h"
#include "records/sqlite/data_connection.h"
#include "records/subject_store.h"
#include "records/table_view.h"
#include "support/window_support.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace morva;
using morva::testing::AnswerNextBox;
using morva::testing::DataFolder;
using morva::testing::OpenEveryPanel;
using morva::testing::ShownToolTip;
using morva::testing::VisiblePanels;
using morva::testing::WhenModal;

namespace {

struct Command {
    const char *name;
    const char *caption;
    int top;
};

const Command kCommands[] = {
    {"Command1", "ثبت نام آزمودني", 180}, {"Command2", "اجراي تست", 780},
    {"Command3", "کليد گذاري", 1350},     {"Command4", "نمايش کد آزمودني", 1980},
    {"Command5", "ماشين حساب", 2580},     {"Command9", "تنظيمات", 3180},
    {"Command51", "مثلث عشق", 3780},      {"Command11", "درباره ما", 4400},
    {"Command6", "خروج", 5760},
};

Frm1 *OpenMainWindow()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *main = qobject_cast<Frm1 *>(w); main && main->isVisible())
            return main;
    }
    return nullptr;
}

template <class T> T *Child(QWidget *w, const char *name)
{
    T *child = w->findChild<T *>(QLatin1String(name));
    if (!child)
        qWarning("no child %s", name);
    return child;
}

void WriteSettings(const QString &theme, const QString &name)
{
    DataConnection settings(DataFile::Settings, "test");
    settings.run("UPDATE \"Theme\" SET \"TH\" = ?, \"Name\" = ?", {theme, name});
}

// Records the pages the window asks the desktop to open.
class PageRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startupShowsMainWindowAsDesigned();
    void storedThemeAndClinicNameAreShown();
    void secondInstanceIsRefused();
    void runningProgramRefusesSecondStartAndItsLockIsRecovered();
    void unusableDataFileStopsTheStart();
    void unreachableServerOffersTheDesksFile();
    void hidePanelsDiscardsUnsavedRegistration();
    void handOverFlagDecidesHowTheWindowLeaves_data();
    void handOverFlagDecidesHowTheWindowLeaves();
    void hintsFollowTheMouse();
    void calculatorStartsOrIsReportedMissing();
    void makerPagesOpenInTheBrowser();
    void helpOpensTheShippedGuide();

private:
    QTemporaryDir runtime_;
};

void MainWindowTest::initTestCase()
{
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ConfigureApplication(*qApp);
}

void MainWindowTest::cleanup()
{
    QList<QPointer<Frm1>> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<Frm1 *>(w))
            windows << main;
    }
    qDeleteAll(windows);
}

void MainWindowTest::startupShowsMainWindowAsDesigned()
{
    DataFolder folder(false);
    // What an export killed part-way left behind is gone once the program has started.
    QVERIFY(QDir().mkpath(".morva-export-k1LLed"));
    QVERIFY(QFile::copy(MORVA_EXECUTABLE, ".morva-export-k1LLed/export.xlsx"));
    SingleInstanceLock lock;
    const std::unique_ptr<AppContext> context = StartProgram(lock);
    QVERIFY(context);
    QVERIFY(QFile::exists("DB/DB.mdb"));
    QVERIFY(QFile::exists("DB/DB2.mdb"));
    QVERIFY(!QFileInfo::exists(".morva-export-k1LLed"));

    Frm1 *w = OpenMainWindow();
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("Frm1"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Morva"));
    QCOMPARE(w->size(), QSize(TwipsToPixels(10710), TwipsToPixels(7965)));
    QCOMPARE(w->pos(), TwipsPoint(2340, 765));
    QCOMPARE(w->styleSheet(), LoadSkin("chizh.skn")); // theme 1 of the new settings row
    QVERIFY(!w->styleSheet().isEmpty());
    QCOMPARE(Child<QLineEdit>(w, "Text1")->text(), QStringLiteral("1"));
    QCOMPARE(Child<QLineEdit>(w, "Text3")->text(), QStringLiteral("2"));
    QVERIFY(!Child<QLineEdit>(w, "Text3")->isVisible());

    auto *bar = Child<QGroupBox>(w, "Frame7");
    QCOMPARE(bar->geometry(), TwipsRect(8280, 540, 2235, 6555));
    QVERIFY(bar->isVisible());
    for (const Command &c : kCommands) {
        auto *button = Child<QPushButton>(bar, c.name);
        QVERIFY2(button, c.name);
        QCOMPARE(button->text(), QString::fromUtf8(c.caption));
        QCOMPARE(button->geometry(), TwipsRect(240, c.top, 1785, 555));
        QVERIFY(button->isVisible());
    }
    QCOMPARE(Child<QLabel>(w, "SkinLabel1")->geometry(), TwipsRect(1740, 120, 5955, 555));
    QCOMPARE(Child<QLabel>(w, "SkinLabel2")->geometry(), TwipsRect(300, 7200, 9975, 615));
    QVERIFY(!Child<QLabel>(w, "SkinLabel2")->isVisible());
    QCOMPARE(Child<QLabel>(w, "SkinLabel7")->text(), QStringLiteral("V2.1.1"));
    auto *help = Child<QPushButton>(w, "CmdHelp");
    QCOMPARE(help->text(), QStringLiteral("Help"));
    QCOMPARE(help->toolTip(), QStringLiteral("براي مشاهده اين قسمت بايد به اينترنت کانکت شويد"));
    auto *picture = Child<QLabel>(w, "Picture1");
    QCOMPARE(picture->toolTip(), QStringLiteral("جهت ورود به سايت کليک کنيد"));
    // The banner shows the very pixels of its picture.
    const QImage banner(QStringLiteral(MORVA_PICTURES "/main_banner.png"));
    QCOMPARE(picture->pixmap().toImage(), banner.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QCOMPARE(VisiblePanels(w), QStringList());
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
}

void MainWindowTest::storedThemeAndClinicNameAreShown()
{
    DataFolder folder;
    WriteSettings("9", "کلينيک مشاوره آرامش");
    Frm1 w(folder.stores());
    w.show();
    QCOMPARE(w.styleSheet(), LoadSkin("Paper.skn"));
    auto *heading = Child<QLabel>(&w, "SkinLabel1");
    QCOMPARE(heading->text(), QStringLiteral("کلينيک مشاوره آرامش"));
    const double loadedPoints = heading->font().pointSizeF();
    QTest::mouseClick(Child<QPushButton>(&w, "Command9"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(&w, "Command67"), Qt::LeftButton);
    Child<QLineEdit>(&w, "Text2")->setText("مرکز مشاوره");
    QCOMPARE(heading->text(), QStringLiteral("مرکز مشاوره"));
    // The stored name shows as large as the same name typed: fitted in the theme's heading font.
    Child<QLineEdit>(&w, "Text2")->setText("کلينيک مشاوره آرامش");
    QCOMPARE(heading->font().pointSizeF(), loadedPoints);

    // A stored name that looks like markup shows as typed: nothing is loaded, no headline is made.
    for (const QString markup : {"<img src=\"/dev/zero\">", "<img src='/etc/passwd'>", "<h1>X</h1>"}) {
        WriteSettings("9", markup);
        Frm1 marked(folder.stores());
        marked.show();
        auto *shown = Child<QLabel>(&marked, "SkinLabel1");
        QCOMPARE(shown->text(), markup);
        QCOMPARE(ShownToolTip(shown), markup);
        const QImage drawn = shown->grab().toImage();
        shown->setTextFormat(Qt::PlainText);
        QCOMPARE(drawn, shown->grab().toImage()); // drawn as its characters
    }

    WriteSettings("11", "");
    Frm1 again(folder.stores());
    QCOMPARE(again.styleSheet(), LoadSkin("office2007.skn"));
    QCOMPARE(Child<QLabel>(&again, "SkinLabel1")->text(), QString());

    WriteSettings("0", "x");
    Frm1 plain(folder.stores());
    QCOMPARE(plain.styleSheet(), QString());
    plain.show();
    QSignalSpy clicked(Child<QPushButton>(&plain, "Command6"), &QPushButton::clicked);
    QTest::mouseClick(Child<QPushButton>(&plain, "Command6"), Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

void MainWindowTest::secondInstanceIsRefused()
{
    DataFolder folder;
    SingleInstanceLock first;
    QVERIFY(first.acquire());

    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    SingleInstanceLock second;
    QVERIFY(!StartProgram(second));
    QCOMPARE(text, QStringLiteral("برنامه در حال اجراست"));
    QCOMPARE(title, QStringLiteral("Warnnig"));
    QCOMPARE(icon, QMessageBox::Information);
    QVERIFY(!OpenMainWindow());
}

void MainWindowTest::runningProgramRefusesSecondStartAndItsLockIsRecovered()
{
    DataFolder folder(false);
    QProcess program;
    program.setProgram(MORVA_EXECUTABLE);
    program.setWorkingDirectory(folder.path());
    program.start();
    QVERIFY(program.waitForStarted());
    // Started: the subjects file holds its tables and no write is under way. Killed in the middle of
    // writing them, the program would leave a journal behind, which is not what this test is about.
    const auto started = [&] {
        QFile subjects(folder.file("DB/DB2.mdb"));
        return subjects.open(QIODevice::ReadOnly) && subjects.readAll().contains("CREATE TABLE \"IDE\"")
               && !QFile::exists(folder.file("DB/DB2.mdb-journal"));
    };
    QTRY_VERIFY_WITH_TIMEOUT(started(), 10000);

    WhenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    {
        SingleInstanceLock second;
        QVERIFY(!StartProgram(second));
    }
    QCOMPARE(program.state(), QProcess::Running); // the first goes on

    program.kill(); // a lock left by a killed program is taken over
    QVERIFY(program.waitForFinished());
    SingleInstanceLock after;
    const std::unique_ptr<AppContext> context = StartProgram(after);
    QVERIFY(context);
    QVERIFY(OpenMainWindow());
}

void MainWindowTest::unusableDataFileStopsTheStart()
{
    DataFolder folder(false);
    QDir().mkdir("DB");
    QFile legacy("DB/DB2.mdb");
    QVERIFY(legacy.open(QIODevice::WriteOnly));
    legacy.write(QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20));
    legacy.close();

    QString text, title;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    SingleInstanceLock lock;
    QVERIFY(!StartProgram(lock));
    QVERIFY2(text.contains(QFileInfo("DB/DB2.mdb").absoluteFilePath()), qPrintable(text));
    QCOMPARE(title, QStringLiteral("خطا"));
    QVERIFY(!OpenMainWindow());
    QCOMPARE(QFileInfo("DB/DB2.mdb").size(), 20);
}

// A shared server that cannot be reached (nothing listens on its port) is named, and the desk's
// own file offered for this run: «خیر» ends the start, «بله» opens the main window on the desk's
// subjects. The choice of server stays for the next start.
void MainWindowTest::unreachableServerOffersTheDesksFile()
{
    DataFolder folder;
    const ServerChoice server{"127.0.0.1", "1", "morva", "room2", "disable"};
    folder.stores().settings.saveSharedServer(server);
    morva::testing::InsertSubject("S-1", "سارا", "علی");
    folder.closeStores();
    {
        const auto refused = AnswerNextBox(QMessageBox::No);
        SingleInstanceLock lock;
        QVERIFY(!StartProgram(lock));
        QVERIFY(refused->seen);
        QVERIFY(!OpenMainWindow());
    }
    const auto asked = AnswerNextBox(QMessageBox::Yes);
    SingleInstanceLock lock;
    const std::unique_ptr<AppContext> context = StartProgram(lock);
    QVERIFY(context);
    QCOMPARE(asked->title, QStringLiteral("پایگاه داده‌ی مشترک"));
    QVERIFY2(asked->text.contains("127.0.0.1:1") && asked->text.contains(QStringLiteral("همین رایانه")),
             qPrintable(asked->text));
    QVERIFY(OpenMainWindow());
    const QString shown = context->stores().subjects.shownName();
    QVERIFY2(shown.contains("DB2.mdb"), qPrintable(shown));
    QVERIFY(context->stores().subjects.codeTaken("S-1"));
    QCOMPARE(context->stores().settings.sharedServer(), server);
}

void MainWindowTest::hidePanelsDiscardsUnsavedRegistration()
{
    DataFolder folder;
    {
        DataConnection db(DataFile::Subjects, "test");
        db.run("INSERT INTO \"IDE\" (\"Code\") VALUES (?)", {"stored"});
    }
    Frm1 w(folder.stores());
    w.show();
    OpenEveryPanel(&w);
    for (const char *panel : {"Frame6", "Frame8", "Frame9", "Frame10"})
        Child<QGroupBox>(&w, panel)->show();
    auto *subjects = Child<TableView>(&w, "Adodc2");
    subjects->addRow();
    subjects->setField("Code", "unsaved");
    QCOMPARE(subjects->rowCount(), 2);

    w.HidePanels();
    QCOMPARE(VisiblePanels(&w), QStringList());
    QVERIFY(!subjects->hasPendingChanges());
    QCOMPARE(subjects->rowCount(), 1);
    QCOMPARE(subjects->field("Code"), QStringLiteral("stored"));
    DataConnection db(DataFile::Subjects, "check");
    QSqlQuery q = db.run("SELECT COUNT(*) FROM \"IDE\"");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void MainWindowTest::handOverFlagDecidesHowTheWindowLeaves_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("as loaded") << "" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("1.0") << "1.0" << true;
    QTest::newRow("1 with text") << "1x" << true;
    QTest::newRow("11") << "11" << false;
    QTest::newRow("0") << "0" << false;
}

void MainWindowTest::handOverFlagDecidesHowTheWindowLeaves()
{
    QFETCH(QString, flag);
    QFETCH(bool, handedOver);
    DataFolder folder;
    Frm1 w(folder.stores());
    w.show();
    auto *text3 = Child<QLineEdit>(&w, "Text3");
    QCOMPARE(text3->text(), QStringLiteral("2"));
    if (!flag.isEmpty())
        text3->setText(flag);
    QTest::mouseClick(Child<QPushButton>(&w, "Command9"), Qt::LeftButton);
    auto *subjects = Child<TableView>(&w, "Adodc2");
    subjects->addRow();
    subjects->setField("Code", "unsaved");

    QSignalSpy left(&w, &Frm1::leftWithoutHandOver);
    QVERIFY(w.close());
    QCOMPARE(left.count(), handedOver ? 0 : 1);
    QVERIFY(!subjects->hasPendingChanges()); // an unsaved registration never survives
    QCOMPARE(Child<QGroupBox>(&w, "Frame8")->isVisibleTo(&w), handedOver);
}

void MainWindowTest::hintsFollowTheMouse()
{
    DataFolder folder;
    Frm1 w(folder.stores());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *hint = Child<QLabel>(&w, "SkinLabel2");
    auto *bar = Child<QGroupBox>(&w, "Frame7");
    auto hover = [&](QWidget *target, QPoint at = QPoint(-1, -1)) {
        QTest::mouseMove(target, at == QPoint(-1, -1) ? target->rect().center() : at);
        QApplication::processEvents();
    };

    hover(Child<QPushButton>(bar, "Command1"));
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه اجراي تست کليک کرده و کد آزمودني را وارد کنيد"));
    hover(Child<QPushButton>(bar, "Command4"));
    QCOMPARE(hint->text(), QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين قسمت مي توانيد آن را بدست بياوريد"));
    hover(Child<QPushButton>(bar, "Command5")); // no hint of its own: the last one stays
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين قسمت مي توانيد آن را بدست بياوريد"));
    hover(Child<QPushButton>(bar, "Command2"));
    QCOMPARE(hint->text(), QStringLiteral(" جهت جواب دادن به سؤالها روي اين دکمه کليک کنيد و کد آزمودني مورد نظر را وارد کنيد "));
    hover(bar, QPoint(bar->width() / 2, bar->height() - 5)); // the bar below its last button
    QVERIFY(!hint->isVisible());
    QCOMPARE(hint->text(), QString());

    hover(Child<QPushButton>(bar, "Command3"));
    QCOMPARE(hint->text(), QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد"));
    hover(Child<QPushButton>(bar, "Command9"));
    QCOMPARE(hint->text(), QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و آدرس کلينيک را وارد کنيد"));
    hover(&w, QPoint(5, w.height() / 2)); // the window's background
    QVERIFY(!hint->isVisible());
    QCOMPARE(hint->text(), QString());
}

void MainWindowTest::calculatorStartsOrIsReportedMissing()
{
    DataFolder folder;
    const QByteArray path = qgetenv("PATH");
    QDir().mkdir("bin");
    QFile fake("bin/galculator");
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\necho started > \"" + folder.file("calculator-ran").toUtf8() + "\"\n");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", folder.file("bin").toUtf8());

    Frm1 w(folder.stores());
    w.show();
    QTest::mouseClick(Child<QPushButton>(&w, "Command9"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(&w, "Command5"), Qt::LeftButton);
    QTRY_VERIFY(QFile::exists("calculator-ran"));
    QVERIFY(!Child<QGroupBox>(&w, "Frame8")->isVisible());

    QVERIFY(fake.remove());
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(Child<QPushButton>(&w, "Command5"), Qt::LeftButton);
    qputenv("PATH", path);
    QVERIFY2(text.contains("ماشین‌حساب"), qPrintable(text));
    QCOMPARE(icon, QMessageBox::Warning);
}

void MainWindowTest::makerPagesOpenInTheBrowser()
{
    DataFolder folder;
    PageRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    Frm1 w(folder.stores());
    w.show();
    QTest::mouseClick(Child<QLabel>(&w, "Picture1"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened.size(), 2);
    QVERIFY(recorder.opened[0].isValid());
    QVERIFY(recorder.opened[1].isValid());
    QVERIFY(recorder.opened[0] != recorder.opened[1]); // the web site first, then the shop
    QVERIFY(recorder.opened[1].path().contains("shop"));
}

// The guide ships with the program and opens without the internet: in the desktop's browser, or,
// with no browser (as on this headless platform), in the program's own window.
void MainWindowTest::helpOpensTheShippedGuide()
{
    DataFolder folder;
    const QString guide = UserGuidePath();
    QVERIFY2(QFileInfo(guide).isFile(), qPrintable(guide));
    Frm1 w(folder.stores());
    w.show();
    auto guideWindows = [] {
        QList<QDialog *> found;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "GuideWindow" && top->isVisible())
                found << qobject_cast<QDialog *>(top);
        }
        return found;
    };

    PageRecorder browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    QTest::mouseClick(Child<QPushButton>(&w, "CmdHelp"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(browser.opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
    QVERIFY(guideWindows().isEmpty());

    QTest::mouseClick(Child<QPushButton>(&w, "CmdHelp"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(&w, "CmdHelp"), Qt::LeftButton); // the same window again
    QCOMPARE(browser.opened.size(), 1);
    const auto windows = guideWindows();
    QCOMPARE(windows.size(), 1);
    QDialog *window = windows.constFirst();
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("راهنمای مروا"));
    auto *page = window->findChild<QTextBrowser *>("GuideText");
    QVERIFY(page);
    QCOMPARE(page->source(), QUrl::fromLocalFile(guide));
    QFile shipped(guide);
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(shipped.readAll());
    const QRegularExpression heading("<h1[^>]*>(.*?)</h1>");
    const QString title = heading.match(html).captured(1);
    QVERIFY(!title.isEmpty());
    QVERIFY2(page->toPlainText().startsWith(title), qPrintable(page->toPlainText().left(80)));
    QCOMPARE(page->document()->begin().textDirection(), Qt::RightToLeft);
    // Every picture of the page is found beside it and shown.
    const QRegularExpression picture("<img [^>]*src=\"([^\"]+)\"");
    int pictures = 0;
    for (auto it = picture.globalMatch(html); it.hasNext(); ++pictures) {
        const QUrl url = page->source().resolved(QUrl(it.next().captured(1)));
        const QVariant image = page->document()->resource(QTextDocument::ImageResource, url);
        QVERIFY2(image.isValid() && !image.value<QImage>().isNull(), qPrintable(url.toString()));
    }
    QVERIFY(pictures >= 10);
    window->close();
    QTRY_VERIFY(guideWindows().isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
