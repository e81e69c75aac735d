// Pictures of Morva's windows and printed sheets, as a clinic sees them, for the user's guide and
// for looking at the windows after a change. Runs the real windows on a data folder of its own
// with a few sample subjects; run it under xvfb-run.
//
// Usage: morva_screenshots OUTPUT_FOLDER [THEME ...]
//        morva_screenshots --guide OUTPUT_FOLDER
// The first writes, for each theme (default 1), THEME-SCENE.png; the sheets are written once, as
// sheet-result.png and sheet-clinician.png, and as PDF beside them. The second writes the pictures
// of the user's guide,
// under the names its page uses: the windows in theme 1, SCENE.png, and the main window and the
// theme preview in a dark theme, theme-5-SCENE.png.
#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/startup.h"
#include "appearance/ui/about.h"
#include "appearance/ui/frm2.h"
#include "appearance/ui/frm_skin.h"
#include "backup/backup_files.h"
#include "backup/encrypted_backup.h"
#include "backup/ui/frm_backup.h"
#include "backup/ui/passphrase_box.h"
#include "questionnaire/ui/frm_test.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/subject_store.h"
#include "records/ui/frm_code.h"
#include "records/ui/shared_server_window.h"
#include "scoring/ui/data_r_print.h"
#include "scoring/ui/frm_klid.h"
#include "scoring/sheet_page.h"
#include "statistics/ui/frm_groups.h"
#include "support/data_support.h"
#include "ui/modal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

using namespace morva;

namespace {

QString g_folder;

// What one run of Shoot draws: the theme, the prefix of the pictures' names, the scenes (all when
// not given), the scenes left out, and the resolution at which the sheets are drawn alone on
// paper (none: they are not).
struct Shot {
    QString theme;
    QString prefix;
    std::optional<QStringList> scenes = std::nullopt;
    QStringList skipped = {};
    std::optional<double> sheetDotsPerInch = std::nullopt;
    bool wants(const QString &scene) const { return (!scenes || scenes->contains(scene)) && !skipped.contains(scene); }
};

void Settle(QWidget *window)
{
    window->show();
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

void Write(const QImage &picture, const QString &name)
{
    const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    if (!picture.save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void Save(QWidget *window, const QString &name)
{
    Settle(window);
    Write(window->grab().toImage(), name);
}

// Saves the scene when the shot wants it.
void Save(const Shot &shot, QWidget *window, const QString &scene)
{
    if (shot.wants(scene))
        Save(window, shot.prefix + scene);
}

void Click(QWidget *window, const char *name)
{
    auto *button = window->findChild<QPushButton *>(QLatin1String(name));
    if (!button) {
        std::fprintf(stderr, "no button %s in %s\n", name, qPrintable(window->objectName()));
        return;
    }
    button->click();
    QCoreApplication::processEvents();
}

void AnswerCode(const QString &code)
{
    AnswerNextModal(QInputDialog::staticMetaObject, [code](QDialog *dialog) {
        auto *input = static_cast<QInputDialog *>(dialog);
        input->setTextValue(code);
        input->accept();
    });
}

QStringList Answers(int intimacy, int passion, int commitment)
{
    QStringList answers;
    for (int item = 1; item <= 45; ++item)
        answers << QString::number(item <= 15 ? intimacy : item <= 30 ? passion : commitment);
    return answers;
}

void FillDataFolder(const QString &theme)
{
    DataConnection settings(DataFile::Settings, QStringLiteral("screenshots"));
    settings.run(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = ?, \"Name\" = ?, \"Adress\" = ?"),
                 {theme, QStringLiteral("کلینیک مشاوره‌ی خانواده‌ی آرامش"),
                  QStringLiteral("تهران، خیابان ولیعصر، کوچه‌ی نسترن، پلاک ۱۲، طبقه‌ی دوم")});
}

void FillSubjects()
{
    DataConnection subjects(DataFile::Subjects, QStringLiteral("screenshots"));
    subjects.transact([&] {
        testing::StoredSubject first;
        first.code = QStringLiteral("1402-17");
        first.answers = Answers(8, 7, 8);
        testing::InsertSubject(subjects, first);
        testing::StoredSubject partner;
        partner.code = QStringLiteral("1402-18");
        partner.firstName = QStringLiteral("علی");
        partner.lastName = QStringLiteral("کریمی");
        partner.gender = QStringLiteral("مرد");
        partner.beloved = QStringLiteral("سارا");
        partner.answers = Answers(6, 8, 5);
        testing::InsertSubject(subjects, partner);
        testing::StoredSubject third;
        third.code = QStringLiteral("1402-19");
        third.firstName = QStringLiteral("مریم");
        third.lastName = QStringLiteral("رضایی");
        third.group = QStringLiteral("B");
        testing::InsertSubject(subjects, third);
        // A workshop's two groups, for the summary of the groups.
        const QStringList firsts{QStringLiteral("نرگس"), QStringLiteral("رضا"), QStringLiteral("لیلا"),
                                 QStringLiteral("امید"), QStringLiteral("شیما"), QStringLiteral("کاوه"),
                                 QStringLiteral("مینا"), QStringLiteral("آرش")};
        for (int i = 0; i < firsts.size(); ++i) {
            testing::StoredSubject member;
            member.code = QStringLiteral("1402-%1").arg(20 + i);
            member.firstName = firsts[i];
            member.lastName = QStringLiteral("محمدی");
            member.group = i % 2 == 0 ? QStringLiteral("A") : QStringLiteral("B");
            member.answers = i % 2 == 0 ? Answers(7 + i % 3, 6 + i % 4, 8 - i % 2) : Answers(5 + i % 3, 7, 4 + i % 4);
            testing::InsertSubject(subjects, member);
        }
    });
}

// The first subject took the test three times, a season apart: the latest answers are those of the
// third session.
void GiveHistory(SubjectStore &subjects)
{
    const QString code = QStringLiteral("1402-17");
    const QDate first(2025, 3, 3);
    const int answers[3][3] = {{6, 8, 5}, {7, 8, 7}, {8, 7, 8}};
    for (int i = 0; i < 3; ++i) {
        const QDateTime saved(first.addMonths(4 * i), QTime(10, 30));
        subjects.saveAnswers(code, subjects.read(code).answerRow,
                             AnswerSheet(Answers(answers[i][0], answers[i][1], answers[i][2])),
                             {saved.addSecs(-20 * 60), saved});
    }
}

// The sheets of the selected subject, as the scoring window opens them: each page alone on white
// paper, as sheet-NAME.png and sheet-NAME.pdf, and in its viewing window (scene
// "viewer-sheet-NAME"). The result sheet first: the clinician's sheet still follows it for the same
// subject.
void ShootSheets(const Shot &shot, FrmkLID &scoring)
{
    for (const auto &[button, name] : {std::pair{"Command6", QStringLiteral("sheet-result")},
                                       std::pair{"CmdClinicianSheet", QStringLiteral("sheet-clinician")}}) {
        Click(&scoring, button);
        const auto viewers = scoring.findChildren<DataRPrint *>();
        if (viewers.isEmpty())
            continue;
        DataRPrint *viewer = viewers.constLast();
        if (shot.sheetDotsPerInch) {
            Write(SheetImage(viewer->document(), QPageSize(QPageSize::A4), *shot.sheetDotsPerInch), name);
            QFile pdf(QDir(g_folder).filePath(name + QStringLiteral(".pdf")));
            if (!pdf.open(QIODevice::WriteOnly) || pdf.write(SheetPdf(viewer->document())) < 0)
                std::fprintf(stderr, "could not write %s\n", qPrintable(pdf.fileName()));
        }
        Save(shot, viewer, QStringLiteral("viewer-") + name);
        delete viewer;
    }
}

void Shoot(const Shot &shot)
{
    testing::DataFolder folder;
    // The file dialogs open in the home folder: this one, not the user's.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", folder.path().toLocal8Bit());
    FillDataFolder(shot.theme);
    FillSubjects();
    GiveHistory(folder.stores().subjects);
    {
        Frm1 main(folder.stores());
        Save(shot, &main, QStringLiteral("main"));
        Click(&main, "Command1");
        for (const auto &[name, text] : {std::pair{"Text11", QStringLiteral("1402-20")},
                                         std::pair{"Text6", QStringLiteral("نرگس")},
                                         std::pair{"Text4", QStringLiteral("محمدی")},
                                         std::pair{"Text5", QStringLiteral("29")},
                                         std::pair{"Text7", QStringLiteral("کارشناسی")},
                                         std::pair{"Text18", QStringLiteral("حمید")}}) {
            if (auto *field = main.findChild<QLineEdit *>(QLatin1String(name)))
                field->setText(text);
        }
        for (const auto &[name, entry] : {std::pair{"Combo1", QStringLiteral("مجرد")},
                                          std::pair{"Combo2", QStringLiteral("زن")},
                                          std::pair{"Combo3", QStringLiteral("A")}}) {
            if (auto *list = main.findChild<QComboBox *>(QLatin1String(name)))
                list->setCurrentText(entry);
        }
        Save(shot, &main, QStringLiteral("registration"));
        Click(&main, "Command9");
        Click(&main, "Command67");
        Save(shot, &main, QStringLiteral("settings-clinic"));
        Click(&main, "Command68");
        Save(shot, &main, QStringLiteral("settings-theme"));
        main.HidePanels();
    }
    {
        FrmTest test(folder.stores());
        test.SelectSubject(QStringLiteral("1402-19"));
        test.EnterReadyState();
        Save(shot, &test, QStringLiteral("test-ready"));
        Click(&test, "Command1");
        if (auto *counter = test.findChild<QLineEdit *>(QStringLiteral("Text6")))
            counter->setText(QStringLiteral("12"));
        if (auto *answer = test.findChild<QLineEdit *>(QStringLiteral("Text12")))
            answer->setText(QStringLiteral("7"));
        Save(shot, &test, QStringLiteral("test-item"));
        if (shot.wants(QStringLiteral("test-unanswered"))) {
            // Saving with items unanswered asks first; the picture is of the question, answered
            // "go back".
            AnswerNextModal(QMessageBox::staticMetaObject, [&shot](QDialog *dialog) {
                Save(dialog, shot.prefix + QStringLiteral("test-unanswered"));
                static_cast<QMessageBox *>(dialog)->button(QMessageBox::No)->click();
            });
            Click(&test, "Command5");
        }
        test.hide();
    }
    {
        FrmkLID scoring(folder.stores());
        Settle(&scoring);
        AnswerCode(QStringLiteral("1402-17"));
        Click(&scoring, "Command1");
        Save(shot, &scoring, QStringLiteral("scoring"));
        AnswerCode(QStringLiteral("1402-18"));
        Click(&scoring, "CmdCompare");
        Save(shot, &scoring, QStringLiteral("scoring-partner"));
        ShootSheets(shot, scoring);
    }
    {
        FrmCode lookup(folder.stores());
        Save(shot, &lookup, QStringLiteral("lookup"));
        if (shot.wants(QStringLiteral("export"))) {
            AnswerNextModal(QFileDialog::staticMetaObject, [&shot](QDialog *dialog) {
                Save(dialog, shot.prefix + QStringLiteral("export"));
                dialog->reject();
            });
            Click(&lookup, "CmdExport");
        }
    }
    {
        FrmGroups groups(folder.stores(), SubjectFilter::All(), QStringLiteral("همه‌ی آزمودنی‌ها"));
        Save(shot, &groups, QStringLiteral("groups"));
        if (shot.sheetDotsPerInch && shot.wants(QStringLiteral("groups")))
            Write(SheetImage(GroupSummaryDocument(groups.sheet()), QPageSize(QPageSize::A4), *shot.sheetDotsPerInch),
                  QStringLiteral("sheet-groups"));
    }
    {
        exitpro exit(folder.stores());
        if (auto *backup = exit.findChild<QCheckBox *>(QStringLiteral("Check1")))
            backup->setChecked(true);
        Save(shot, &exit, QStringLiteral("exit"));
    }
    {
        Frmbackup backup(folder.stores());
        Save(shot, &backup, QStringLiteral("backup"));
        if (shot.wants(QStringLiteral("restore-question"))) {
            // The question before a restore names the backup, the copy kept of the present subjects
            // and how many subjects each holds; answered "no", and the box that follows closed.
            const QString copy = QDir(BackupFolder()).filePath(QStringLiteral("backup.mdbB"));
            QFile::copy(folder.file(DataFilePath(DataFile::Subjects)), copy);
            if (auto *source = backup.findChild<QLineEdit *>(QStringLiteral("Text2")))
                source->setText(copy);
            AnswerNextModal(QMessageBox::staticMetaObject, [&shot](QDialog *dialog) {
                Save(dialog, shot.prefix + QStringLiteral("restore-question"));
                static_cast<QMessageBox *>(dialog)->button(QMessageBox::No)->click();
            });
            AnswerNextModal(QMessageBox::staticMetaObject, [](QDialog *dialog) { dialog->accept(); });
            Click(&backup, "VisualButtonEx3");
        }
        if (shot.wants(QStringLiteral("passphrase"))) {
            // An encrypted backup: the window with its box ticked, the box that asks for a new
            // passphrase twice (typed differently, so that its hint shows) and the one that opens a
            // backup; each box cancelled.
            if (auto *encrypt = backup.findChild<QCheckBox *>(QStringLiteral("CheckEncrypt")))
                encrypt->setChecked(true);
            if (auto *target = backup.findChild<QLineEdit *>(QStringLiteral("Text1")))
                target->setText(QDir(BackupFolder()).filePath(QStringLiteral("monday.mdbE")));
            Save(&backup, shot.prefix + QStringLiteral("backup-encrypted"));
            AnswerNextModal(PassphraseBox::staticMetaObject, [&shot](QDialog *dialog) {
                for (const auto &[name, text] : {std::pair{"TextPassphrase", QStringLiteral("کلید کلینیک")},
                                                 std::pair{"TextPassphraseAgain", QStringLiteral("کلید")}}) {
                    if (auto *field = dialog->findChild<QLineEdit *>(QLatin1String(name)))
                        field->setText(text);
                }
                Save(dialog, shot.prefix + QStringLiteral("passphrase"));
                dialog->reject();
            });
            Click(&backup, "VisualButtonEx2");
            const QString sealed = QDir(BackupFolder()).filePath(QStringLiteral("sealed.mdbE"));
            EncryptSubjectsFile(folder.file(DataFilePath(DataFile::Subjects)), sealed,
                                Passphrase(QStringLiteral("کلید کلینیک ۱۴۰۳")));
            if (auto *source = backup.findChild<QLineEdit *>(QStringLiteral("Text2")))
                source->setText(sealed);
            AnswerNextModal(PassphraseBox::staticMetaObject, [&shot](QDialog *dialog) {
                Save(dialog, shot.prefix + QStringLiteral("passphrase-open"));
                dialog->reject();
            });
            Click(&backup, "VisualButtonEx3");
        }
    }
    {
        Frmskin preview(folder.stores());
        Save(shot, &preview, QStringLiteral("theme-preview"));
    }
    {
        Frm2 triangle(folder.stores());
        Save(shot, &triangle, QStringLiteral("triangle"));
    }
    {
        SharedServerWindow server(folder.stores());
        for (const auto &[name, text] : {std::pair{"TextHost", QStringLiteral("db.clinic.local")},
                                         std::pair{"TextDatabase", QStringLiteral("morva")},
                                         std::pair{"TextUser", QStringLiteral("room2")},
                                         std::pair{"TextPassword", QStringLiteral("secret")}}) {
            if (auto *field = server.findChild<QLineEdit *>(QLatin1String(name)))
                field->setText(text);
        }
        Save(shot, &server, QStringLiteral("shared-server"));
    }
    if (shot.wants(QStringLiteral("about"))) {
        About about;
        Save(&about, QStringLiteral("about"));
    }
    qputenv("HOME", home);
}

// The pictures of the user's guide, under the names its page uses.
void ShootGuide()
{
    Shoot({QStringLiteral("1"), QString(),
           QStringList{QStringLiteral("main"), QStringLiteral("settings-clinic"), QStringLiteral("registration"),
                       QStringLiteral("test-ready"), QStringLiteral("test-item"), QStringLiteral("scoring"),
                       QStringLiteral("viewer-sheet-result"), QStringLiteral("lookup"), QStringLiteral("export"),
                       QStringLiteral("groups"),
                       QStringLiteral("exit"), QStringLiteral("backup"), QStringLiteral("settings-theme"),
                       QStringLiteral("shared-server")}});
    Shoot({QStringLiteral("5"), QStringLiteral("theme-5-"),
           QStringList{QStringLiteral("main"), QStringLiteral("theme-preview")}});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ConfigureApplication(app);
    const bool guide = argc == 3 && qstrcmp(argv[1], "--guide") == 0;
    if (argc < 2 || (!guide && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [THEME ...]\n       %s --guide OUTPUT_FOLDER\n", argv[0],
                     argv[0]);
        return 2;
    }
    g_folder = QDir(QString::fromLocal8Bit(argv[guide ? 2 : 1])).absolutePath();
    QDir().mkpath(g_folder);
    if (guide) {
        ShootGuide();
        return 0;
    }
    QStringList themes;
    for (int i = 2; i < argc; ++i)
        themes << QString::fromLocal8Bit(argv[i]);
    if (themes.isEmpty())
        themes << QStringLiteral("1");
    // The sheets, their viewers and the about window: with the first theme only.
    Shoot({themes.constFirst(), themes.constFirst() + u'-', std::nullopt, {}, 110});
    const QStringList firstOnly{QStringLiteral("viewer-sheet-result"), QStringLiteral("viewer-sheet-clinician"),
                                QStringLiteral("about")};
    for (qsizetype i = 1; i < themes.size(); ++i)
        Shoot({themes[i], themes[i] + u'-', std::nullopt, firstOnly});
    return 0;
}
