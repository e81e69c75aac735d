#include "app/app_context.h"
#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "appearance/theme_files.h"
#include "backup/backup_files.h"
#include "backup/encrypted_backup.h"
#include "backup/ui/frm_backup.h"
#include "backup/ui/passphrase_box.h"
#include "records/sqlite/data_connection.h"
#include "support/window_support.h"
#include "common/timing.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QRegularExpression>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace morva;
using namespace morva::testing;

namespace {

const QString kTitleA = QStringLiteral(" تهيه نسخه پشتيبان");
const QString kTitleB = QStringLiteral("پشتيبان گيري");

template <class T> T *Child(QWidget *w, const char *name)
{
    T *child = w->findChild<T *>(QLatin1String(name));
    if (!child)
        qWarning("no child %s", name);
    return child;
}

template <class T> T *Shown()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

void Settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Hover(QWidget *w, QPoint at = {-1, -1})
{
    QTest::mouseMove(w, at == QPoint(-1, -1) ? w->rect().center() : at);
    QApplication::processEvents();
}

void Click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
    Settle();
}

// Ticks a check box as a click on its square does.
void Tick(QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    QTest::mouseClick(box, Qt::LeftButton, {},
                      box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
    Settle();
}

// Runs the program's event loop with the steps, until the program ends it; gives the code the
// program ended with, or 99 when it did not end.
int RunUntilTheEnd(std::function<void()> steps)
{
    QTimer::singleShot(0, qApp, std::move(steps));
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    return QCoreApplication::exec();
}

QByteArray Hash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(&file);
    return hash.result();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

void StoreSubjects(int count, const QString &prefix = "K-")
{
    DataConnection db(DataFile::Subjects, "setup");
    db.transact([&] {
        for (int i = 0; i < count; ++i)
            InsertSubject(db, StoredSubject{.code = prefix + QString::number(i)});
    });
}

void SetTheme(const QString &theme)
{
    DataConnection settings(DataFile::Settings, "setup");
    settings.run("UPDATE \"Theme\" SET \"TH\" = ?", {theme});
}

constexpr QFile::Permissions kUserBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

} // namespace

class ExitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { folder_ = std::make_unique<DataFolder>(); }
    void cleanup();
    void exitDialogAsDesigned();
    void titleChangesWithinASecond();
    void titleAndOptionAlternate();
    void onlyTheHighlightedPictureAnswers();
    void mainWindowLeavesIntoTheExitDialogAndComesBack();
    void everyWayOfLeavingEndsTheProgram_data();
    void everyWayOfLeavingEndsTheProgram();
    void backupWindowAsDesigned();
    void choosersOpenInBackWithTheDatedName();
    void backupAsksBeforeReplacingAndEnds();
    void restoreRefusesWhatIsNotAWholeSubjectsFile_data();
    void restoreRefusesWhatIsNotAWholeSubjectsFile();
    void restoreReplacesTheLiveFileOnlyWhenWhole();
    void longCopyKeepsTheWindowAnswering();
    void encryptedBackupRestoresOnlyWithItsPassphrase();

private:
    QTemporaryDir runtime_;
    std::unique_ptr<DataFolder> folder_;
};

void ExitTest::initTestCase()
{
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ConfigureApplication(*qApp);
    SetDelayScale(0.02);
    QApplication::setQuitOnLastWindowClosed(false); // only the program's own end stops the loop
}

void ExitTest::cleanup()
{
    DeleteAllWindows();
    folder_.reset();
}

void ExitTest::exitDialogAsDesigned()
{
    exitpro d(folder_->stores());
    d.show();
    QCOMPARE(d.objectName(), QStringLiteral("exitpro"));
    QCOMPARE(d.windowTitle(), QStringLiteral("تهيه نسخه پشتيبان"));
    QCOMPARE(d.size(), QSize(TwipsToPixels(4575), TwipsToPixels(3360)));
    QCOMPARE(d.pos(), TwipsPoint(5000, 4500));
    QCOMPARE(Child<QLabel>(&d, "Label1")->text(), QStringLiteral("آيا براي خروج از برنامه اطمينان داريد"));
    auto *check1 = Child<QCheckBox>(&d, "Check1");
    QCOMPARE(check1->text(), QStringLiteral("تهيه نسخه پشتيبان"));
    QVERIFY(!check1->isChecked());
    for (const auto &[normal, highlighted] : {std::pair{"k1", "k2"}, std::pair{"C1", "C2"}}) {
        auto *n = Child<QLabel>(&d, normal);
        auto *h = Child<QLabel>(&d, highlighted);
        QVERIFY(n->isVisible());
        QVERIFY(!h->isVisibleTo(&d));
        QCOMPARE(n->geometry(), h->geometry());
        QVERIFY(!n->pixmap().isNull() && !h->pixmap().isNull());
        QVERIFY(n->pixmap().toImage() != h->pixmap().toImage());
    }
    for (const char *name : {"Timer2", "Timer3", "tmCaptionAnimate"}) {
        auto *timer = d.findChild<QTimer *>(name);
        QVERIFY2(timer && timer->isActive(), name);
        QCOMPARE(timer->interval(), ScaledDelay(500));
    }
}

// The one test of the dialog at the real pace of its timers.
void ExitTest::titleChangesWithinASecond()
{
    SetDelayScale(1);
    exitpro d(folder_->stores());
    SetDelayScale(0.02);
    d.show();
    QElapsedTimer clock;
    clock.start();
    QSignalSpy changed(&d, &QWidget::windowTitleChanged);
    QVERIFY(changed.wait(1000));
    QVERIFY2(clock.elapsed() >= 450, "the title waits half a second");
    QCOMPARE(d.windowTitle(), kTitleA);
    QTRY_COMPARE_WITH_TIMEOUT(Child<QCheckBox>(&d, "Check1")->text(), kTitleA, 600);
}

void ExitTest::titleAndOptionAlternate()
{
    exitpro d(folder_->stores());
    d.show();
    QSignalSpy changed(&d, &QWidget::windowTitleChanged);
    QTRY_VERIFY(changed.count() >= 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(changed.at(i).at(0).toString(), i % 2 == 0 ? kTitleA : kTitleB);
    const QString option = Child<QCheckBox>(&d, "Check1")->text();
    QVERIFY2(option == kTitleA || option == kTitleB, qPrintable(option));
}

void ExitTest::onlyTheHighlightedPictureAnswers()
{
    exitpro d(folder_->stores());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QSignalSpy ended(&d, &exitpro::endRequested);
    auto *k1 = Child<QLabel>(&d, "k1");
    auto *k2 = Child<QLabel>(&d, "k2");
    auto *c1 = Child<QLabel>(&d, "C1");
    auto *c2 = Child<QLabel>(&d, "C2");

    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, k1->rect().center(), k1->mapToGlobal(k1->rect().center()), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(k1, &click);
    }
    QCOMPARE(ended.count(), 0);

    Hover(k1);
    QVERIFY(k2->isVisible() && !k1->isVisible());
    Hover(k2, k2->rect().topLeft() + QPoint(3, 3)); // resting on it keeps it highlighted
    QVERIFY(k2->isVisible());
    Hover(&d, QPoint(3, d.height() - 3)); // the background
    QVERIFY(k1->isVisible() && !k2->isVisible());
    Hover(c1);
    QVERIFY(c2->isVisible() && !c1->isVisible() && k1->isVisible());
    Hover(Child<QLabel>(&d, "Label1")); // a label is not the background
    QVERIFY(c2->isVisible());
    Hover(&d, QPoint(3, 3));
    QVERIFY(c1->isVisible() && !c2->isVisible());

    Hover(k1);
    Click(k2);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!Shown<Frmbackup>());
}

void ExitTest::mainWindowLeavesIntoTheExitDialogAndComesBack()
{
    SetTheme("3");
    SingleInstanceLock lock;
    const std::unique_ptr<AppContext> context = StartProgram(lock);
    QVERIFY(context);
    Frm1 *main = Shown<Frm1>();
    QVERIFY(main);
    Click(Child<QPushButton>(main, "Command9"));
    Click(Child<QPushButton>(main, "Command6"));
    QVERIFY(!Shown<Frm1>());
    exitpro *d = Shown<exitpro>();
    QVERIFY(d);
    QCOMPARE(d->pos(), TwipsPoint(5000, 1500));
    QVERIFY(!Child<QCheckBox>(d, "Check1")->isChecked());

    QPointer<exitpro> first = d;
    Hover(Child<QLabel>(d, "C1"));
    Click(Child<QLabel>(d, "C2"));
    QVERIFY(first.isNull());
    Frm1 *back = Shown<Frm1>();
    QVERIFY(back);
    QCOMPARE(Child<QLineEdit>(back, "Text3")->text(), QStringLiteral("2"));
    QCOMPARE(back->styleSheet(), LoadSkin("galaxy.skn"));
    QCOMPARE(VisiblePanels(back), QStringList());

    back->close(); // its close box
    Settle();
    d = Shown<exitpro>();
    QVERIFY(d);
    QCOMPARE(d->pos(), TwipsPoint(5000, 1500));
    QTest::keyClick(d, Qt::Key_Escape);
    Settle();
    QVERIFY(Shown<Frm1>());
    QVERIFY(!Shown<exitpro>());
}

void ExitTest::everyWayOfLeavingEndsTheProgram_data()
{
    QTest::addColumn<QString>("way");
    for (const char *way : {"leave", "Enter", "close box", "backup window's exit", "backup window's close box"})
        QTest::newRow(way) << way;
}

void ExitTest::everyWayOfLeavingEndsTheProgram()
{
    QFETCH(QString, way);
    SingleInstanceLock lock;
    const std::unique_ptr<AppContext> context = StartProgram(lock);
    QVERIFY(context);
    Shown<Frm1>()->close();
    Settle();
    exitpro *d = Shown<exitpro>();
    QVERIFY(d);
    bool backupShown = false, dialogWaited = false;
    const int code = RunUntilTheEnd([&] {
        if (way == "Enter")
            QTest::keyClick(d, Qt::Key_Return);
        else if (way == "close box")
            d->close();
        else if (!way.startsWith("backup")) {
            Hover(Child<QLabel>(d, "k1"));
            Click(Child<QLabel>(d, "k2"));
        } else {
            Child<QCheckBox>(d, "Check1")->setChecked(true);
            QTest::keyClick(d, Qt::Key_Enter);
            Frmbackup *backup = Shown<Frmbackup>();
            backupShown = backup != nullptr;
            dialogWaited = !d->isVisible() && d->findChild<QTimer *>("Timer2") && !Shown<exitpro>();
            if (!backup)
                return;
            if (way.endsWith("exit"))
                Click(Child<QPushButton>(backup, "Command1"));
            else
                backup->close();
        }
    });
    QCOMPARE(code, 0);
    QCOMPARE(backupShown, way.startsWith("backup"));
    QCOMPARE(dialogWaited, way.startsWith("backup"));
}

void ExitTest::backupWindowAsDesigned()
{
    SetTheme("3");
    Frmbackup w(folder_->stores());
    w.show();
    QCOMPARE(w.objectName(), QStringLiteral("Frmbackup"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Back up ...  Reastor"));
    QCOMPARE(w.pos(), TwipsPoint(2340, 765));
    QCOMPARE(w.styleSheet(), LoadSkin("galaxy.skn"));
    QCOMPARE(Child<QLineEdit>(&w, "Text3")->text(), QStringLiteral("3"));
    const QDateTime now = QDateTime::currentDateTime();
    QCOMPARE(Child<QLabel>(&w, "Label1")->text(), BackupDateText(now));
    QCOMPARE(Child<QLabel>(&w, "Label3")->text(), BackupDateText(now));
    for (const auto &[name, caption] : {std::pair{"b1", "---"}, std::pair{"b2", "---"},
                                        std::pair{"VisualButtonEx2", "BACKUP"}, std::pair{"VisualButtonEx3", "REASTOR"},
                                        std::pair{"Command1", "خروج"}})
        QCOMPARE(Child<QPushButton>(&w, name)->text(), QString::fromUtf8(caption));
    QVERIFY(Child<QLineEdit>(&w, "Text1")->text().isEmpty() && Child<QLineEdit>(&w, "Text2")->text().isEmpty());
    QVERIFY(!Child<QProgressBar>(&w, "ProgressBar1")->isVisible());
    auto *timer1 = w.findChild<QTimer *>("Timer1");
    QVERIFY(timer1 && timer1->isActive());
    QCOMPARE(timer1->interval(), ScaledDelay(1000));
    auto *clock = Child<QLabel>(&w, "Label2");
    clock->setText("-");
    QTRY_COMPARE(clock->text(), BackupTimeText(QTime::currentTime()));
}

void ExitTest::choosersOpenInBackWithTheDatedName()
{
    Frmbackup w(folder_->stores());
    w.show();
    const QString back = folder_->file("Back");
    QVERIFY(!QFileInfo::exists(back));
    QString folder, proposed;
    QStringList filters;
    QStringList buttons;
    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        folder = dialog->directory().absolutePath();
        proposed = dialog->selectedFiles().value(0);
        filters = dialog->nameFilters();
        for (const QPushButton *button : dialog->findChildren<QPushButton *>())
            buttons << button->text();
        dialog->reject();
    });
    Click(Child<QPushButton>(&w, "b1"));
    QCOMPARE(folder, back);
    QCOMPARE(QFileInfo(proposed).fileName(),
             BackupFileName(Child<QLabel>(&w, "Label3")->text(), Child<QLabel>(&w, "Label2")->text()));
    QCOMPARE(filters, QStringList{"Database Backup (*.mdbB)"});
    QCOMPARE(QFileInfo(back).permissions() & ~kUserBits, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(Child<QLineEdit>(&w, "Text1")->text().isEmpty()); // cancelled
    // In Persian, with no keyboard mnemonic to break the joining of the letters.
    QVERIFY(!buttons.filter(QRegularExpression(QStringLiteral("\\p{Arabic}"))).isEmpty());
    QVERIFY2(buttons.filter(QStringLiteral("&")).isEmpty(), qPrintable(buttons.join(u',')));

    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        dialog->selectFile(back + "/monday.mdbB");
        static_cast<QDialog *>(dialog)->accept(); // the dialog's own accepting, as its button does
    });
    Click(Child<QPushButton>(&w, "b1"));
    QCOMPARE(Child<QLineEdit>(&w, "Text1")->text(), back + "/monday.mdbB");

    WriteFile(back + "/older.mdbB", "x");
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        mode = dialog->acceptMode();
        folder = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->selectFile(back + "/older.mdbB");
        static_cast<QDialog *>(dialog)->accept(); // the dialog's own accepting, as its button does
    });
    Click(Child<QPushButton>(&w, "b2"));
    QCOMPARE(mode, QFileDialog::AcceptOpen);
    QCOMPARE(folder, back);
    QCOMPARE(filters, QStringList{"Database Backup (*.mdbB *.mdbE)"}); // plain and encrypted backups
    QCOMPARE(Child<QLineEdit>(&w, "Text2")->text(), back + "/older.mdbB");

    // An encrypted backup is proposed under the same name, with its own extension; the path already
    // chosen takes it too.
    Tick(Child<QCheckBox>(&w, "CheckEncrypt"));
    QCOMPARE(Child<QLineEdit>(&w, "Text1")->text(), back + "/monday.mdbE");
    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        proposed = dialog->selectedFiles().value(0);
        filters = dialog->nameFilters();
        dialog->reject();
    });
    Click(Child<QPushButton>(&w, "b1"));
    const QString dated = BackupFileName(Child<QLabel>(&w, "Label3")->text(), Child<QLabel>(&w, "Label2")->text());
    QCOMPARE(QFileInfo(proposed).fileName(), WithBackupExtension(dated, true));
    QVERIFY(proposed.endsWith(".mdbE"));
    QCOMPARE(filters, QStringList{"Encrypted Database Backup (*.mdbE)"});
}

void ExitTest::backupAsksBeforeReplacingAndEnds()
{
    StoreSubjects(3);
    Frmbackup w(folder_->stores());
    w.show();
    QSignalSpy ended(&w, &Frmbackup::endRequested);
    auto *backup = Child<QPushButton>(&w, "VisualButtonEx2");
    auto *text1 = Child<QLineEdit>(&w, "Text1");
    const QString live = folder_->file("DB/DB2.mdb");

    auto box = AnswerNextBox();
    Click(backup);
    QCOMPARE(box->text, QStringLiteral("لطفا مسير تهيه نسخه پشتيبان را وارد کنيد"));
    QCOMPARE(box->title, QStringLiteral("خطا"));
    QCOMPARE(box->icon, QMessageBox::Warning);

    // A typed path naming an older, larger backup gets the replace question.
    const QString older = folder_->file("older.mdbB");
    WriteFile(older, QByteArray(200000, 'x'));
    const QByteArray olderHash = Hash(older);
    TypeText(text1, older);
    auto question = AnswerNextBox(QMessageBox::No);
    box = AnswerNextBox();
    Click(backup);
    QCOMPARE(question->text, QStringLiteral("فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟"));
    QCOMPARE(question->title, QStringLiteral("Morva"));
    QCOMPARE(question->icon, QMessageBox::NoIcon);
    QCOMPARE(box->text, QStringLiteral("عدم موفقيت در تهيه نسخه پشتيبان"));
    QCOMPARE(box->icon, QMessageBox::Information);
    QCOMPARE(Hash(older), olderHash);

    {
        DataConnection open(DataFile::Subjects, "another window");
        AnswerNextBox(QMessageBox::Yes);
        box = AnswerNextBox();
        Click(backup);
        QCOMPARE(box->title, QStringLiteral("Error"));
        QVERIFY(box->text.contains(QStringLiteral("باز است")));
        QCOMPARE(Hash(older), olderHash);
    }
    QCOMPARE(ended.count(), 0);
    QVERIFY(w.isVisible());

    AnswerNextBox(QMessageBox::Yes);
    box = AnswerNextBox();
    Click(backup);
    QCOMPARE(box->text, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    QCOMPARE(box->icon, QMessageBox::NoIcon);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(Hash(older), Hash(live));
    QCOMPARE(QFileInfo(older).size(), QFileInfo(live).size());
    QCOMPARE(QFileInfo(older).permissions() & ~kUserBits, QFile::ReadOwner | QFile::WriteOwner);

    text1->setText(folder_->file("no-such-folder/b.mdbB")); // a new path: no question, the copy fails
    box = AnswerNextBox();
    Click(backup);
    QVERIFY2(box->text.startsWith(QStringLiteral("اشکال در ايجاد نسخه پشتيباني") + u'\n'), qPrintable(box->text));
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(ended.count(), 2);
}

void ExitTest::restoreRefusesWhatIsNotAWholeSubjectsFile_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"garbage", "settings file", "truncated backup", "folder"})
        QTest::newRow(kind) << kind;
}

void ExitTest::restoreRefusesWhatIsNotAWholeSubjectsFile()
{
    QFETCH(QString, kind);
    StoreSubjects(60);
    const QString live = folder_->file("DB/DB2.mdb");
    const QString chosen = folder_->file("chosen.mdbB");
    QFile liveFile(live);
    QVERIFY(liveFile.open(QIODevice::ReadOnly));
    const QByteArray liveBytes = liveFile.readAll();
    if (kind == "garbage")
        WriteFile(chosen, QByteArray("SQLite format 3").append(QByteArray(8192, '\x5a')));
    else if (kind == "settings file")
        QVERIFY(QFile::copy("DB/DB.mdb", chosen));
    else if (kind == "truncated backup")
        WriteFile(chosen, liveBytes.left(liveBytes.size() / 2));
    else
        QVERIFY(QDir().mkdir(chosen));
    const QByteArray before = Hash(live);

    Frmbackup w(folder_->stores());
    w.show();
    QSignalSpy ended(&w, &Frmbackup::endRequested);
    Child<QLineEdit>(&w, "Text2")->setText(chosen);
    auto question = AnswerNextBox(QMessageBox::Yes);
    auto refusal = AnswerNextBox();
    Click(Child<QPushButton>(&w, "VisualButtonEx3"));
    QCOMPARE(question->text.section(u'\n', 0, 0), QStringLiteral("آيا ميخواهيد اطلاعات را بازيابي کنيد؟"));
    QCOMPARE(refusal->title, QStringLiteral("خطا"));
    QCOMPARE(refusal->icon, QMessageBox::Warning);
    QVERIFY2(refusal->text.contains(QStringLiteral("تغییری نکرد")), qPrintable(refusal->text));
    QCOMPARE(Hash(live), before);
    QCOMPARE(ended.count(), 0);
    QVERIFY(w.isVisible());
    QVERIFY(Child<QPushButton>(&w, "VisualButtonEx3")->isEnabled());
}

// A restore keeps the file it replaces, whole, beside the backups, and replaces it only with a whole
// backup.
void ExitTest::restoreReplacesTheLiveFileOnlyWhenWhole()
{
    StoreSubjects(3);
    const QString live = folder_->file("DB/DB2.mdb");
    const QString backup = folder_->file("backup.mdbB");
    QVERIFY(QFile::copy(live, backup));
    StoreSubjects(1, "after-"); // the live file moves on after the backup
    const QByteArray before = Hash(live);
    Frmbackup w(folder_->stores());
    w.show();
    QSignalSpy ended(&w, &Frmbackup::endRequested);
    auto *restore = Child<QPushButton>(&w, "VisualButtonEx3");
    auto *text2 = Child<QLineEdit>(&w, "Text2");
    const auto keptFiles = [&] { return QDir(folder_->file("Back")).entryList({"پیش از بازیابی*"}, QDir::Files); };

    auto box = AnswerNextBox();
    Click(restore);
    QCOMPARE(box->text, QStringLiteral("لطفا مسير فايل مربوطه را وارد کنيد"));
    QCOMPARE(box->title, QStringLiteral("خطا"));
    QCOMPARE(box->icon, QMessageBox::Warning);

    // The question names the backup, what each file holds and where the present one is kept; No
    // is its default.
    text2->setText(backup);
    auto question = AnswerNextBox(QMessageBox::No);
    box = AnswerNextBox();
    Click(restore);
    QCOMPARE(question->defaultButton, QMessageBox::No);
    const QString kept = KeptFilePath(folder_->file("Back"), Child<QLabel>(&w, "Label3")->text(),
                                      Child<QLabel>(&w, "Label2")->text());
    QCOMPARE(question->text.section(u'\n', 1),
             QStringLiteral("نسخه‌ی پشتیبان «\u2068backup.mdbB\u2069» (۳ آزمودنی) جای اطلاعات کنونی (۴ آزمودنی) را "
                            "می‌گیرد؛ پیش از آن، برنامه از اطلاعات کنونی نسخه‌ای با نام «\u2068%1\u2069» در پوشه‌ی "
                            "نسخه‌های پشتیبان ذخیره می‌کند.")
                 .arg(QFileInfo(kept).fileName()));
    QCOMPARE(box->text, QStringLiteral("عدم موفقيت در بازيابي اطلاعات "));
    QCOMPARE(box->icon, QMessageBox::NoIcon);
    QCOMPARE(Hash(live), before);
    QCOMPARE(ended.count(), 0);

    // The copy of a larger backup fails part-way (a disk that fills up): the window's copy-failure
    // message, the live file as it was, and nothing kept, as nothing was replaced.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    const QString larger = folder_->file("larger.mdbB");
    QVERIFY(QFile::copy(live, larger));
    {
        DataConnection db(larger, "setup");
        db.run("CREATE TABLE \"Pad\" (\"b\" BLOB)");
        db.run("INSERT INTO \"Pad\" VALUES (zeroblob(?))", {QFileInfo(live).size() * 2});
    }
    small.rlim_cur = QFileInfo(live).size() + QFileInfo(larger).size() / 4;
    text2->setText(larger);
    AnswerNextBox(QMessageBox::Yes);
    box = AnswerNextBox();
    QTimer::singleShot(0, [&] { setrlimit(RLIMIT_FSIZE, &small); });
    Click(restore);
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY2(box->text.startsWith(QStringLiteral("اشکال در ايجاد نسخه پشتيباني") + u'\n'), qPrintable(box->text));
    QCOMPARE(Hash(live), before);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(keptFiles(), QStringList());

    {
        ModalWatch watch;
        text2->setText(folder_->file("missing.mdbB"));
        AnswerNextBox(QMessageBox::Yes);
        box = AnswerNextBox();
        Click(restore);
        QVERIFY2(box->text.startsWith(QStringLiteral("اشکال در ايجاد نسخه پشتيباني") + u'\n'), qPrintable(box->text));
        QCOMPARE(box->icon, QMessageBox::Critical);
        QCOMPARE(watch.seen, QStringList()); // no success after it
    }
    QCOMPARE(Hash(live), before);
    QCOMPARE(ended.count(), 2);
    QCOMPARE(keptFiles(), QStringList()); // nothing to restore: nothing kept

    // The older backup restored over a file with one more subject: that subject is in the kept
    // file, byte for byte the file as it was.
    text2->setText(backup);
    AnswerNextBox(QMessageBox::Yes);
    box = AnswerNextBox();
    Click(restore);
    QCOMPARE(box->text, QStringLiteral("بازيابي اطلاعات انجام شد"));
    QCOMPARE(ended.count(), 3);
    QCOMPARE(Hash(live), Hash(backup));
    QCOMPARE(keptFiles().size(), 1);
    const QString keptFile = folder_->file("Back/" + keptFiles().constFirst());
    QCOMPARE(Hash(keptFile), before);
    QCOMPARE(QFileInfo(keptFile).permissions() & ~kUserBits, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(!QFileInfo::exists(live + "-journal"));
    QCOMPARE(QFileInfo(live).permissions() & ~kUserBits, QFile::ReadOwner | QFile::WriteOwner);
}

// While a long copy runs the clock goes on, the progress bar moves, and neither a second copy
// nor closing the window can start.
void ExitTest::longCopyKeepsTheWindowAnswering()
{
    {
        DataConnection db(DataFile::Subjects, "setup");
        db.run("CREATE TABLE \"Pad\" (\"b\" BLOB)");
        db.run("INSERT INTO \"Pad\" VALUES (zeroblob(100000000))"); // long enough to watch
    }
    SetDelayScale(0.002); // the clock ticks every 2 ms, many times during the copy
    Frmbackup w(folder_->stores());
    SetDelayScale(0.02);
    w.show();
    QSignalSpy ended(&w, &Frmbackup::endRequested);
    auto *bar = Child<QProgressBar>(&w, "ProgressBar1");
    auto *clock = Child<QLabel>(&w, "Label2");
    auto *backup = Child<QPushButton>(&w, "VisualButtonEx2");
    Child<QLineEdit>(&w, "Text1")->setText(folder_->file("large.mdbB"));
    clock->clear();

    QSet<int> progress;
    bool clockTicked = false, closed = false, secondCopy = false;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, [&] {
        if (!bar->isVisible() || bar->value() == bar->maximum())
            return;
        progress << bar->value();
        clockTicked = clockTicked || !clock->text().isEmpty();
        closed = closed || w.close();
        QTest::mouseClick(backup, Qt::LeftButton);
        secondCopy = secondCopy || backup->isEnabled();
    });
    sampler.start(1);
    auto box = AnswerNextBox(QMessageBox::Ok, 120000); // however busy the machine is

    Click(backup);
    sampler.stop();
    QCOMPARE(box->text, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    QVERIFY2(progress.size() >= 2, "the progress bar moves");
    QVERIFY(clockTicked);
    QVERIFY(!closed && !secondCopy);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(Hash(folder_->file("large.mdbB")), Hash(folder_->file("DB/DB2.mdb")));
}

// With its box ticked, the backup asks twice for a passphrase (long enough, the same both times)
// and writes an encrypted file under the proposed name with .mdbE. The restore knows such a file,
// asks for its passphrase, refuses a wrong one leaving everything as it was, and restores with the
// right one as from a plain backup.
void ExitTest::encryptedBackupRestoresOnlyWithItsPassphrase()
{
    StoreSubjects(3);
    const QString live = folder_->file("DB/DB2.mdb");
    const QString secret = QStringLiteral("کلید کلینیک ۱۴۰۳ Morva");
    Frmbackup w(folder_->stores());
    w.show();
    QSignalSpy ended(&w, &Frmbackup::endRequested);
    auto *text1 = Child<QLineEdit>(&w, "Text1");
    auto *check = Child<QCheckBox>(&w, "CheckEncrypt");
    QCOMPARE(check->text(), QStringLiteral("رمزگذاری با گذرواژه"));
    QVERIFY(!check->isChecked());
    const QString plainName = BackupFolder() + u'/' + BackupFileName(Child<QLabel>(&w, "Label3")->text(),
                                                                      Child<QLabel>(&w, "Label2")->text());
    text1->setText(plainName);
    Tick(check);
    const QString sealed = text1->text();
    QCOMPARE(sealed, plainName.chopped(5) + ".mdbE");

    const auto field = [](QDialog *box, const char *name) { return box->findChild<QLineEdit *>(QLatin1String(name)); };
    const auto okOf = [](QDialog *box) {
        return box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    };
    bool hidden = false, okWhenShort = true, okWhenDifferent = true;
    QString shortHint, differentHint;
    WhenModal<PassphraseBox>([&](PassphraseBox *box) {
        auto *first = field(box, "TextPassphrase");
        auto *again = field(box, "TextPassphraseAgain");
        hidden = first->echoMode() == QLineEdit::Password && again->echoMode() == QLineEdit::Password;
        TypeText(first, QStringLiteral("کوتاه۱۲۳"));
        TypeText(again, QStringLiteral("کوتاه۱۲۳"));
        okWhenShort = okOf(box)->isEnabled();
        shortHint = box->findChild<QLabel *>("LabelHint")->text();
        first->setText(secret);
        again->setText(secret + "x");
        okWhenDifferent = okOf(box)->isEnabled();
        differentHint = box->findChild<QLabel *>("LabelHint")->text();
        again->setText(secret);
        QTest::mouseClick(okOf(box), Qt::LeftButton);
    });
    auto done = AnswerNextBox();
    Click(Child<QPushButton>(&w, "VisualButtonEx2"));
    QVERIFY(hidden);
    QVERIFY(!okWhenShort && !okWhenDifferent);
    QCOMPARE(shortHint, QStringLiteral("کوتاه: دست‌کم ۱۰ کاراکتر لازم است."));
    QCOMPARE(differentHint, QStringLiteral("گذرواژه و تکرار آن یکسان نیستند."));
    QCOMPARE(done->text, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    QCOMPARE(ended.count(), 1);
    QVERIFY(IsEncryptedBackup(sealed));
    QVERIFY(!QFileInfo::exists(plainName));
    QFile sealedFile(sealed);
    QVERIFY(sealedFile.open(QIODevice::ReadOnly));
    const QByteArray sealedBytes = sealedFile.readAll();
    // Neither the passphrase nor the subjects file's own words: its header and a table's statement
    // (long enough that random bytes do not hold them by chance, as they may hold "IDE").
    QVERIFY(!sealedBytes.contains(secret.toUtf8()) && !sealedBytes.contains("SQLite format 3")
            && !sealedBytes.contains("CREATE TABLE"));

    StoreSubjects(1, "after-"); // the live file moves on after the backup
    const QByteArray before = Hash(live);
    const auto keptFiles = [&] { return QDir(folder_->file("Back")).entryList({"پیش از بازیابی*"}, QDir::Files); };
    const auto answer = [&](const QString &typed) {
        WhenModal<PassphraseBox>([=](PassphraseBox *box) {
            field(box, "TextPassphrase")->setText(typed);
            QTest::mouseClick(okOf(box), Qt::LeftButton);
        });
    };
    auto *restore = Child<QPushButton>(&w, "VisualButtonEx3");
    Child<QLineEdit>(&w, "Text2")->setText(sealed);

    answer(secret + "!");
    auto refusal = AnswerNextBox();
    Click(restore);
    QCOMPARE(refusal->title, QStringLiteral("خطا"));
    QVERIFY2(refusal->text.contains(QStringLiteral("گذرواژه درست نیست")), qPrintable(refusal->text));
    QVERIFY2(refusal->text.contains(QStringLiteral("تغییری نکرد")), qPrintable(refusal->text));
    QCOMPARE(Hash(live), before);
    QCOMPARE(keptFiles(), QStringList());
    QCOMPARE(QDir(folder_->file("DB")).entryList(QDir::Files), QStringList({"DB.mdb", "DB2.mdb"}));
    QCOMPARE(ended.count(), 1);
    QVERIFY(restore->isEnabled());

    answer(secret);
    auto question = AnswerNextBox(QMessageBox::Yes);
    auto restored = AnswerNextBox();
    Click(restore);
    QVERIFY2(question->text.contains(QStringLiteral("«\u2068%1\u2069» (۳ آزمودنی) جای اطلاعات کنونی (۴ آزمودنی)")
                                         .arg(QFileInfo(sealed).fileName())),
             qPrintable(question->text));
    QCOMPARE(restored->text, QStringLiteral("بازيابي اطلاعات انجام شد"));
    QCOMPARE(ended.count(), 2);
    QCOMPARE(SubjectsInBackup(live), std::optional<qint64>(3));
    QCOMPARE(keptFiles().size(), 1);
    QCOMPARE(Hash(folder_->file("Back/" + keptFiles().constFirst())), before);
    QCOMPARE(QDir(folder_->file("DB")).entryList(QDir::Files), QStringList({"DB.mdb", "DB2.mdb"}));
}

QTEST_MAIN(ExitTest)
#include "test_exit.moc"
