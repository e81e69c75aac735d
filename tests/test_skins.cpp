#include "app/startup.h"
#include "ui/apply_theme.h"
#include "appearance/theme_files.h"
#include "support/window_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace morva;
using morva::testing::DataFolder;

namespace {

QStringList g_warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings << message;
}

// A small window with the kinds of control the program's windows use.
class SampleWindow : public QWidget {
public:
    SampleWindow()
    {
        setObjectName("Frm1");
        resize(420, 300);
        auto *layout = new QVBoxLayout(this);
        auto *heading = new QLabel("کلينيک مشاوره", this);
        heading->setProperty("heading", true);
        layout->addWidget(heading);
        auto *panel = new QGroupBox(this);
        auto *inner = new QVBoxLayout(panel);
        button = new QPushButton("ثبت نام آزمودني", panel);
        inner->addWidget(button);
        inner->addWidget(new QLineEdit("متن", panel));
        auto *combo = new QComboBox(panel);
        combo->addItems({"مجرد", "متأهل"});
        inner->addWidget(combo);
        inner->addWidget(new QCheckBox("تهيه نسخه پشتيبان", panel));
        layout->addWidget(panel);
        auto *hint = new QLabel("راهنما", this);
        hint->setProperty("hint", true);
        layout->addWidget(hint);
    }
    QPushButton *button = nullptr;
};

void WriteSkin(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QImage Look(SampleWindow &w)
{
    w.ensurePolished();
    for (QWidget *child : w.findChildren<QWidget *>())
        child->ensurePolished();
    return w.grab().toImage();
}

} // namespace

class SkinTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyThemeHasItsOwnCompleteSkin();
    void skinIsLookedUpInWorkingFolderThenDataFoldersThenBuiltIn();
    void unknownThemeLeavesPlainLook();
    void brokenSkinLeavesWindowUsable();

private:
    QTemporaryDir userData_;    // XDG_DATA_HOME
    QTemporaryDir machineData_; // XDG_DATA_DIRS
};

void SkinTest::initTestCase()
{
    qputenv("XDG_DATA_HOME", userData_.path().toUtf8());
    qputenv("XDG_DATA_DIRS", machineData_.path().toUtf8());
    ConfigureApplication(*qApp);
}

void SkinTest::everyThemeHasItsOwnCompleteSkin()
{
    DataFolder folder(false); // no skin files anywhere: the built-in copies are used
    QList<QImage> looks;
    QStringList texts;
    for (int theme = 1; theme <= 11; ++theme) {
        const QString file = ThemeSkinFile(QString::number(theme));
        const QString skin = LoadSkin(file);
        QVERIFY2(!skin.trimmed().isEmpty(), qPrintable(file));
        for (const char *kind : {"QPushButton", "QGroupBox", "QLineEdit", "QComboBox", "QTableView",
                                 "QHeaderView", "QCheckBox", "QTextEdit", "QMessageBox", "QToolTip",
                                 "QScrollBar", "heading=\"true\"", "hint=\"true\""})
            QVERIFY2(skin.contains(QLatin1String(kind)), qPrintable(file + " lacks " + kind));
        QVERIFY2(!texts.contains(skin), qPrintable(file));
        texts << skin;

        SampleWindow window;
        g_warnings.clear();
        const auto previous = qInstallMessageHandler(CollectWarnings);
        ApplyTheme(&window, QString::number(theme));
        const QImage look = Look(window);
        qInstallMessageHandler(previous);
        QVERIFY2(g_warnings.isEmpty(), qPrintable(file + ": " + g_warnings.join("; ")));
        QCOMPARE(window.styleSheet(), skin);
        for (const QImage &other : std::as_const(looks))
            QVERIFY2(other != look, qPrintable(file + " looks like an earlier theme"));
        looks << look;
    }
}

void SkinTest::skinIsLookedUpInWorkingFolderThenDataFoldersThenBuiltIn()
{
    DataFolder folder(false);
    QFile builtInFile(":/skins/Paper.skn");
    QVERIFY(builtInFile.open(QIODevice::ReadOnly));
    const QString builtIn = QString::fromUtf8(builtInFile.readAll());
    const QString machine = machineData_.filePath("morva/skins/Paper.skn");
    const QString user = userData_.filePath("morva/skins/Paper.skn");

    WriteSkin(machine, "QLabel { color: green; }");
    QCOMPARE(LoadSkin("Paper.skn"), QStringLiteral("QLabel { color: green; }"));
    WriteSkin(user, "QLabel { color: blue; }");
    QCOMPARE(LoadSkin("Paper.skn"), QStringLiteral("QLabel { color: blue; }"));
    WriteSkin("Paper.skn", "QPushButton { color: red; }");
    QCOMPARE(LoadSkin("Paper.skn"), QStringLiteral("QPushButton { color: red; }"));

    WriteSkin("Paper.skn", ""); // an emptied file is no skin: the next place is asked
    QCOMPARE(LoadSkin("Paper.skn"), QStringLiteral("QLabel { color: blue; }"));
    WriteSkin(user, " \n");
    QCOMPARE(LoadSkin("Paper.skn"), QStringLiteral("QLabel { color: green; }"));
    QVERIFY(QFile::remove(machine));
    QCOMPARE(LoadSkin("Paper.skn"), builtIn);
    QVERIFY(!builtIn.trimmed().isEmpty());
}

void SkinTest::unknownThemeLeavesPlainLook()
{
    DataFolder folder(false);
    for (const QString field : {"", "0", "12", "7.5", "abc"}) {
        SampleWindow window;
        ApplyTheme(&window, field);
        QCOMPARE(window.styleSheet(), QString());
    }
    QCOMPARE(LoadSkin("missing.skn"), QString());
}

// A skin file that is not a style sheet is passed over as a missing one is: the window takes the
// theme's built-in skin and stays usable.
void SkinTest::brokenSkinLeavesWindowUsable()
{
    DataFolder folder(false);
    SampleWindow builtIn;
    ApplyTheme(&builtIn, "3");
    const QImage builtInLook = Look(builtIn);

    for (const QByteArray &broken : {QByteArray("\x01\x02 this is { not a style sheet"),
                                      QByteArray("QLabel { color: red; "), QByteArray("QLabel { a { b } }"),
                                      QByteArray("/* QLabel { color: red; } */"), QByteArray("QLabel { color: \xff; }")}) {
        QFile local("galaxy.skn");
        QVERIFY(local.open(QIODevice::WriteOnly | QIODevice::Truncate));
        local.write(broken);
        local.close();
        SampleWindow window;
        ApplyTheme(&window, "3");
        QCOMPARE(Look(window), builtInLook);
        window.show();
        QSignalSpy clicked(window.button, &QPushButton::clicked);
        QTest::mouseClick(window.button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }
}

QTEST_MAIN(SkinTest)
#include "test_skins.moc"
