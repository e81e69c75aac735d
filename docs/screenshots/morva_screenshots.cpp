// Pictures of Morva's windows and printed sheets, as a clinic sees them, for the user's guide and
// for looking at the windows after a change. Runs the real windows on a data folder of its own
// with a few sample subjects; run it under xvfb-run.
//
// Usage: morva_screenshots OUTPUT_FOLDER [THEME ...]
// Writes, for each theme (default 1), THEME-SCENE.png; the sheets are written once, as
// sheet-result.png and sheet-clinician.png, and as PDF beside them.
#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/startup.h"
#include "appearance/ui/about.h"
#include "appearance/ui/frm2.h"
#include "backup/ui/frm_backup.h"
#include "questionnaire/ui/frm_test.h"
#include "records/data_connection.h"
#include "records/data_files.h"
#include "records/ui/frm_code.h"
#include "scoring/ui/data_r_print.h"
#include "scoring/ui/frm_klid.h"
#include "scoring/sheet_page.h"
#include "support/data_support.h"
#include "ui/modal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>

using namespace morva;

namespace {

QString g_folder;

void Settle(QWidget *window)
{
    window->show();
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

void Save(QWidget *window, const QString &name)
{
    Settle(window);
    const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
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
    });
}

void Shoot(const QString &theme, bool sheets)
{
    testing::DataFolder folder;
    FillDataFolder(theme);
    FillSubjects();
    const QString prefix = theme + u'-';
    {
        Frm1 main;
        Save(&main, prefix + QStringLiteral("main"));
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
        Save(&main, prefix + QStringLiteral("registration"));
        Click(&main, "Command9");
        Click(&main, "Command67");
        Save(&main, prefix + QStringLiteral("settings-clinic"));
        Click(&main, "Command68");
        Save(&main, prefix + QStringLiteral("settings-theme"));
        main.HidePanels();
    }
    {
        FrmTest test;
        test.ReloadViews();
        test.SelectSubject(QStringLiteral("1402-19"));
        test.EnterReadyState();
        Save(&test, prefix + QStringLiteral("test-ready"));
        Click(&test, "Command1");
        if (auto *counter = test.findChild<QLineEdit *>(QStringLiteral("Text6")))
            counter->setText(QStringLiteral("12"));
        if (auto *answer = test.findChild<QLineEdit *>(QStringLiteral("Text12")))
            answer->setText(QStringLiteral("7"));
        Save(&test, prefix + QStringLiteral("test-item"));
        // Saving with items unanswered asks first; the picture is of the question, answered "go back".
        AnswerNextModal(QMessageBox::staticMetaObject, [prefix](QDialog *dialog) {
            Save(dialog, prefix + QStringLiteral("test-unanswered"));
            static_cast<QMessageBox *>(dialog)->button(QMessageBox::No)->click();
        });
        Click(&test, "Command5");
        test.hide();
    }
    {
        FrmkLID scoring;
        Settle(&scoring);
        AnswerCode(QStringLiteral("1402-17"));
        Click(&scoring, "Command1");
        AnswerCode(QStringLiteral("1402-18"));
        Click(&scoring, "CmdCompare");
        Save(&scoring, prefix + QStringLiteral("scoring"));
        if (sheets) {
            // The result sheet first: the clinician's sheet still follows it for the same subject.
            for (const auto &[button, name] : {std::pair{"Command6", QStringLiteral("sheet-result")},
                                               std::pair{"CmdClinicianSheet", QStringLiteral("sheet-clinician")}}) {
                Click(&scoring, button);
                const auto viewers = scoring.findChildren<DataRPrint *>();
                if (viewers.isEmpty())
                    continue;
                DataRPrint *viewer = viewers.constLast();
                const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
                SheetImage(viewer->document(), QPageSize(QPageSize::A4), 110).save(path);
                std::printf("%s\n", qPrintable(path));
                // And as it prints, for pdftoppm or a PDF viewer.
                QFile pdf(QDir(g_folder).filePath(name + QStringLiteral(".pdf")));
                if (!pdf.open(QIODevice::WriteOnly) || pdf.write(SheetPdf(viewer->document())) < 0)
                    std::fprintf(stderr, "could not write %s\n", qPrintable(pdf.fileName()));
                Save(viewer, prefix + QStringLiteral("viewer-") + name);
                delete viewer;
            }
        }
    }
    {
        FrmCode lookup;
        Save(&lookup, prefix + QStringLiteral("lookup"));
    }
    {
        exitpro exit;
        Save(&exit, prefix + QStringLiteral("exit"));
    }
    {
        Frmbackup backup;
        Save(&backup, prefix + QStringLiteral("backup"));
    }
    {
        Frm2 triangle;
        Save(&triangle, prefix + QStringLiteral("triangle"));
    }
    if (sheets) {
        About about;
        Save(&about, QStringLiteral("about"));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ConfigureApplication(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [THEME ...]\n", argv[0]);
        return 2;
    }
    g_folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(g_folder);
    QStringList themes;
    for (int i = 2; i < argc; ++i)
        themes << QString::fromLocal8Bit(argv[i]);
    if (themes.isEmpty())
        themes << QStringLiteral("1");
    for (qsizetype i = 0; i < themes.size(); ++i)
        Shoot(themes[i], i == 0);
    return 0;
}
