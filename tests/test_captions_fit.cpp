#include "app/exitpro.h"
#include "appearance/theme_files.h"
#include "app/frm1.h"
#include "app/startup.h"
#include "appearance/ui/about.h"
#include "appearance/ui/frm2.h"
#include "appearance/ui/frm_skin.h"
#include "backup/ui/frm_backup.h"
#include "questionnaire/ui/frm_test.h"
#include "records/ui/frm_code.h"
#include "records/ui/shared_server_window.h"
#include "records/sqlite/data_connection.h"
#include "scoring/ui/frm_klid.h"
#include "support/window_support.h"
#include "ui/controls.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QInputDialog>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>

using namespace morva;
using namespace morva::testing;

namespace {

// Every caption of a window that does not fit its control, as "control: text".
QStringList CutCaptions(QWidget *window)
{
    QStringList cut;
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *w : children) {
        QString text;
        bool fits = true;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            text = button->text();
            fits = button->sizeHint().width() <= button->width();
        } else if (auto *label = qobject_cast<QLabel *>(w); label && label->pixmap().isNull()) {
            text = label->text();
            fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                     : label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height();
        } else if (auto *box = qobject_cast<QGroupBox *>(w); box && !box->title().isEmpty()) {
            text = box->title();
            fits = box->fontMetrics().horizontalAdvance(text) + 16 <= box->width();
        }
        if (!text.trimmed().isEmpty() && !fits)
            cut << w->objectName() + QStringLiteral(": ") + text;
    }
    return cut;
}

// What the caption looks like in its window with this text.
QImage Drawn(QLabel *caption, const QString &text)
{
    const QString kept = caption->text();
    caption->setText(text);
    const QImage drawn = caption->parentWidget()->grab(caption->geometry()).toImage();
    caption->setText(kept);
    return drawn;
}

void SetTheme(int theme, const QString &clinic)
{
    DataConnection settings(DataFile::Settings, QStringLiteral("test"));
    settings.run(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = ?, \"Name\" = ?"), {QString::number(theme), clinic});
}

} // namespace

class CaptionsFitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ConfigureApplication(*qApp); }
    void everyCaptionFitsInEveryTheme_data();
    void everyCaptionFitsInEveryTheme();
    void longValuesShowFromTheirStart();
    void colonsStandBesideTheirFields();
    void fittedTextTakesTheLargestSizeThatFits();
};

void CaptionsFitTest::everyCaptionFitsInEveryTheme_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 1; theme <= 11; ++theme)
        QTest::newRow(qPrintable(QString::number(theme))) << theme;
}

void CaptionsFitTest::everyCaptionFitsInEveryTheme()
{
    QFETCH(int, theme);
    DataFolder folder;
    const QString clinic = QStringLiteral("مرکز مشاوره و خدمات روان‌شناختی خانواده و ازدواج آرامش نوین شعبه‌ی مرکزی");
    SetTheme(theme, clinic);
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<Frm1>(folder.stores()));
    windows.push_back(std::make_unique<FrmTest>(folder.stores()));
    windows.push_back(std::make_unique<FrmkLID>(folder.stores()));
    windows.push_back(std::make_unique<FrmCode>(folder.stores()));
    windows.push_back(std::make_unique<Frmskin>(folder.stores()));
    windows.push_back(std::make_unique<Frm2>(folder.stores()));
    windows.push_back(std::make_unique<About>());
    windows.push_back(std::make_unique<Frmbackup>(folder.stores()));
    windows.push_back(std::make_unique<exitpro>(folder.stores()));
    windows.push_back(std::make_unique<SharedServerWindow>(folder.stores()));
    for (const auto &window : windows) {
        window->show();
        if (window == windows.front())
            OpenEveryPanel(window.get());
        QApplication::processEvents();
        const QStringList cut = CutCaptions(window.get());
        QVERIFY2(cut.isEmpty(), qPrintable(window->objectName() + QStringLiteral(" cuts ") + cut.join(QStringLiteral(" | "))));
    }
    auto *heading = windows.front()->findChild<QLabel *>(QStringLiteral("SkinLabel1"));
    QCOMPARE(heading->text(), clinic);
    QCOMPARE(ShownToolTip(heading), clinic);
    auto *code = windows.front()->findChild<QLineEdit *>(QStringLiteral("Text11"));
    QVERIFY(code->fontMetrics().horizontalAdvance(QStringLiteral("KZ-140305-12")) <= code->contentsRect().width() - 4);
}

// A long education or beloved's name shows from its start in the read-only subject fields, and
// whole as their tooltip.
void CaptionsFitTest::longValuesShowFromTheirStart()
{
    DataFolder folder;
    const QString education = QStringLiteral("کارشناسی ارشد روان‌شناسی بالینی کودک و نوجوان از دانشگاه علامه طباطبایی");
    const QString beloved = QStringLiteral("محمدحسین عبدالرحیم‌زاده اصفهانی");
    StoredSubject subject;
    subject.code = QStringLiteral("K-1");
    subject.education = education;
    subject.beloved = beloved;
    subject.answers = QStringList(45, QStringLiteral("5"));
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("test"));
        InsertSubject(db, subject);
    }
    FrmkLID scoring(folder.stores());
    scoring.show();
    WhenModal<QInputDialog>([](QInputDialog *d) {
        d->setTextValue(QStringLiteral("K-1"));
        d->accept();
    });
    QTest::mouseClick(scoring.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    for (const auto &[name, value] : {std::pair{"Text7", education}, std::pair{"Text14", beloved}}) {
        auto *field = scoring.findChild<QLineEdit *>(QLatin1String(name));
        QCOMPARE(field->text(), value);
        QCOMPARE(field->cursorPosition(), 0);
        QCOMPARE(ShownToolTip(field), value);
    }
}

// A caption written " :کد" shows its colon between the word and the field at its left: it is drawn
// as its words are drawn left to right, not as they are drawn right to left.
void CaptionsFitTest::colonsStandBesideTheirFields()
{
    DataFolder folder;
    SetTheme(9, {});
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<Frm1>(folder.stores()));
    windows.push_back(std::make_unique<FrmTest>(folder.stores()));
    windows.push_back(std::make_unique<FrmkLID>(folder.stores()));
    windows.push_back(std::make_unique<FrmCode>(folder.stores()));
    windows.push_back(std::make_unique<SharedServerWindow>(folder.stores()));
    int captions = 0;
    for (const auto &window : windows) {
        window->show();
        if (window == windows.front())
            OpenEveryPanel(window.get());
        for (QLabel *caption : window->findChildren<QLabel *>()) {
            if (!caption->buddy() || !caption->text().contains(u':'))
                continue; // a caption of a field, written with its colon
            caption->parentWidget()->show(); // a panel of the main window opens with its command
            QApplication::processEvents();
            QString words = caption->text();
            words.remove(QChar(0x200E));
            const QImage leftToRight = Drawn(caption, QChar(0x200E) + words);
            const QImage rightToLeft = Drawn(caption, QChar(0x200F) + words);
            QVERIFY2(leftToRight != rightToLeft, qPrintable(words));
            QVERIFY2(Drawn(caption, caption->text()) == leftToRight,
                     qPrintable(words + QStringLiteral(" in ") + window->objectName()));
            ++captions;
        }
    }
    QVERIFY(captions >= 30);
}

// Whatever room a heading has, its text takes the largest half point, down from the theme's size,
// at which it stands on one line: the size a search from the top finds.
void CaptionsFitTest::fittedTextTakesTheLargestSizeThatFits()
{
    QWidget window;
    window.setStyleSheet(LoadSkin("chizh.skn"));
    window.resize(800, 200);
    window.show();
    const QString name = QStringLiteral("کلینیک مشاوره‌ی خانواده‌ی آرامش");
    int shrunk = 0;
    for (int width = 160; width <= 460; width += 25) {
        QLabel searched(&window);
        searched.setProperty("heading", true);
        searched.setIndent(0);
        searched.setGeometry(0, 0, width, 37);
        searched.setText(name);
        searched.show();
        const double designed = searched.font().pointSizeF();
        double largest = 0;
        for (double points = designed; points >= 8 && largest == 0; points -= 0.5) {
            searched.setStyleSheet(points < designed ? QStringLiteral("font-size: %1pt;").arg(points) : QString());
            const QSize needed = searched.sizeHint();
            if (needed.width() <= searched.width() && needed.height() <= searched.height())
                largest = points;
        }
        if (largest == 0)
            continue; // two lines: not what this is about

        QLabel fitted(&window);
        fitted.setProperty("heading", true);
        fitted.setIndent(0);
        fitted.setGeometry(0, 0, width, 37);
        ShowFitted(&fitted, name);
        QVERIFY2(!fitted.wordWrap(), qPrintable(QString::number(width)));
        QCOMPARE(fitted.font().pointSizeF(), largest);
        shrunk += largest < designed ? 1 : 0;
    }
    QVERIFY(shrunk >= 5);
}

QTEST_MAIN(CaptionsFitTest)
#include "test_captions_fit.moc"
