#include "appearance/user_guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace morva;

namespace {

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString SourceGuide(const QString &relative = {})
{
    return QDir(QStringLiteral(MORVA_SOURCE_DIR "/docs/guide")).filePath(relative);
}

// The pictures in a folder, by name.
QStringList Pictures(const QString &folder)
{
    QStringList names = QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files);
    names.sort();
    return names;
}

} // namespace

class UserGuideTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void foundBesideTheProgramThenInTheDataFolders();
    void buildFolderHoldsTheGuideAsWritten();
    void pageIsPersianAndNamesItsPictures();
    void picturesAreThoseTheWindowsDraw();

private:
    QTemporaryDir dataFolders_;
};

void UserGuideTest::initTestCase()
{
    qputenv("XDG_DATA_HOME", dataFolders_.filePath("home").toUtf8());
    qputenv("XDG_DATA_DIRS", (dataFolders_.filePath("local") + u':' + dataFolders_.filePath("usr")).toUtf8());
}

void UserGuideTest::foundBesideTheProgramThenInTheDataFolders()
{
    QTemporaryDir prefix;
    QVERIFY(QDir().mkpath(prefix.filePath("bin")));
    const QString program = prefix.filePath("bin");
    QCOMPARE(UserGuidePath(program), QString());

    const QString machine = dataFolders_.filePath("usr/morva/guide/index.html");
    Write(machine, "<html></html>");
    QCOMPARE(UserGuidePath(program), machine);
    const QString user = dataFolders_.filePath("home/morva/guide/index.html");
    Write(user, "<html></html>");
    QCOMPARE(UserGuidePath(program), user);

    // The copy that belongs to the program comes first: the build folder's, or the installed one.
    const QString beside = prefix.filePath("share/morva/guide/index.html");
    Write(beside, "<html></html>");
    QCOMPARE(UserGuidePath(program), beside);
    QCOMPARE(UserGuidePath(program + "/"), beside);

    QVERIFY(QFile::remove(user));
    QVERIFY(QFile::remove(machine));
    QVERIFY(QFile::remove(beside));
    QVERIFY(QDir().mkpath(beside)); // a folder of that name is no page
    QCOMPARE(UserGuidePath(program), QString());
}

// A program run from the build folder opens the page and the pictures as they are in the sources.
void UserGuideTest::buildFolderHoldsTheGuideAsWritten()
{
    const QString page = UserGuidePath();
    const QFileInfo built(QCoreApplication::applicationDirPath() + "/../share/morva/guide/index.html");
    QCOMPARE(QFileInfo(page).canonicalFilePath(), built.canonicalFilePath());
    QCOMPARE(Read(page), Read(SourceGuide("index.html")));
    const QString pictures = QFileInfo(page).dir().filePath("pictures");
    QCOMPARE(Pictures(pictures), Pictures(SourceGuide("pictures")));
    for (const QString &picture : Pictures(SourceGuide("pictures")))
        QVERIFY2(Read(pictures + u'/' + picture) == Read(SourceGuide("pictures/" + picture)), qPrintable(picture));
}

void UserGuideTest::pageIsPersianAndNamesItsPictures()
{
    const QString html = QString::fromUtf8(Read(SourceGuide("index.html")));
    QVERIFY(html.startsWith("<!DOCTYPE html>\n<html lang=\"fa\" dir=\"rtl\">"));
    QVERIFY(html.contains("<meta charset=\"utf-8\">"));
    QVERIFY(html.contains("<title>راهنمای مروا</title>"));

    // Our own words are standard Persian with Persian digits. The program's texts (class "ui")
    // are quoted as the windows show them, and those may hold Arabic yeh and kaf or Latin digits;
    // so may what is typed or stored as it is (code), such as a subject's code or a folder.
    QString words = html.mid(html.indexOf("<body>"));
    words.remove(QRegularExpression(R"re(<(b|span) class="ui">.*?</\1>)re"));
    words.remove(QRegularExpression(R"re(<code>[^<]*</code>)re"));
    words.remove(QRegularExpression("<[^>]*>"));
    for (const QChar letter : words) {
        QVERIFY2(letter != QChar(0x064A) && letter != QChar(0x0643) && !(letter >= u'0' && letter <= u'9'),
                 qPrintable(words.mid(words.indexOf(letter) - 30, 60)));
    }
    QVERIFY(words.contains(QChar(0x200C))); // می‌شود, not می شود

    QStringList named;
    const QRegularExpression picture(R"re(<img src="pictures/([^"]+)" alt="[^"]+">)re");
    for (auto it = picture.globalMatch(html); it.hasNext();)
        named << it.next().captured(1);
    QCOMPARE(named.size(), html.count("<img "));
    named.sort();
    named.removeDuplicates();
    QCOMPARE(named, Pictures(SourceGuide("pictures")));
}

// The pictures are made by the screenshot program from the real windows: it makes each picture the
// page names, and no other.
void UserGuideTest::picturesAreThoseTheWindowsDraw()
{
    QTemporaryDir made;
    QProcess screenshots;
    screenshots.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    screenshots.setStandardOutputFile(QProcess::nullDevice());
    screenshots.start(MORVA_SCREENSHOTS, {"--guide", made.path()});
    QVERIFY(screenshots.waitForFinished(120000));
    QCOMPARE(screenshots.exitCode(), 0);
    QCOMPARE(Pictures(made.path()), Pictures(SourceGuide("pictures")));
}

QTEST_GUILESS_MAIN(UserGuideTest)
#include "test_user_guide.moc"
