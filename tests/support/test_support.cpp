#include "support/test_support.h"

#include "records/data_connection.h"

#include <QAbstractButton>
#include <QProcess>
#include <QRegularExpression>

namespace morva::testing {

DataFolder::DataFolder(bool prepare) : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
    if (prepare)
        PrepareDataFiles();
}

DataFolder::~DataFolder()
{
    QDir::setCurrent(previous_);
}

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void InsertSubject(const QString &code, const QString &firstName, const QString &beloved, const QStringList &answers,
                   bool withSubjectRow)
{
    DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
    if (withSubjectRow)
        db.run(QStringLiteral("INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Date\", "
                              "\"Time\", \"Jens\", \"Taahol\", \"Morva\", \"Group\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {code, firstName, QStringLiteral("احمدی"), QStringLiteral("34"), QStringLiteral("کارشناسی ارشد"),
                QStringLiteral("1403/05/09"), QStringLiteral("10:00:00"), QStringLiteral("زن"), QStringLiteral("متأهل"),
                beloved, QStringLiteral("A")});
    QString sql = QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"Group\"");
    QVariantList values{code, QStringLiteral("A")};
    for (int item = 1; item <= 45; ++item) {
        sql += QStringLiteral(", \"%1\"").arg(item);
        values << (answers.isEmpty() ? QVariant() : QVariant(answers.value(item - 1)));
    }
    db.run(sql + QStringLiteral(") VALUES (?") + QStringLiteral(", ?").repeated(46) + u')', values);
}

QSet<QString> PlainWords(const QString &text)
{
    QString plain = text.normalized(QString::NormalizationForm_KC);
    plain.remove(QRegularExpression(QStringLiteral("[\u200c\u200d\u200e\u200f\u202a-\u202e]")));
    plain.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
    const QStringList words = plain.split(QRegularExpression(QStringLiteral("[\\s:،؛.()]+")), Qt::SkipEmptyParts);
    return QSet<QString>(words.begin(), words.end());
}

QSet<QString> PdfWords(const QString &pdfPath)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!text.waitForFinished() || text.exitCode() != 0)
        return {};
    return PlainWords(QString::fromUtf8(text.readAllStandardOutput()));
}

std::shared_ptr<SeenBox> AnswerNextBox(QMessageBox::StandardButton button)
{
    auto seen = std::make_shared<SeenBox>();
    WhenModal<QMessageBox>([seen, button](QMessageBox *box) {
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        if (QWidget *owner = box->parentWidget()) {
            const auto *timer = owner->findChild<QTimer *>(QStringLiteral("MessagePromptTimer"), Qt::FindDirectChildrenOnly);
            if (timer && timer->isActive())
                seen->delayMs = timer->interval();
        }
        box->button(button)->click();
    });
    return seen;
}

ModalWatch::ModalWatch()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen << modal->windowTitle();
            modal->close();
        }
    });
    timer_.start(20);
}

} // namespace morva::testing
