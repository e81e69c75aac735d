#include "scoring/clinician_sheet.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"
#include "scoring/love_type.h"
#include "scoring/response_notes.h"
#include "scoring/score_triangle.h"

#include <QPainter>

namespace morva {
namespace {

constexpr double kWidth = kA4BandWidth;
constexpr double kHeight = kA4BandHeight;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignAbsolute;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignAbsolute;

// Under the table of scores: how its level column is read and what the love type is made of.
QString LevelsNote()
{
    return QStringLiteral("نمره‌ی برابر با نمره‌ی برش یا بیشتر از آن «بالا» و کمتر از آن «پایین» شمرده می‌شود و "
                          "نوع عشق از همین سه سطح به دست می‌آید؛ «مرزی» یعنی نمره تا %1 نمره با برش فاصله دارد.")
        .arg(PersianNumber(kBorderlinePoints));
}

// The table of sessions: its heading, and rows of a height that shrinks only for many sessions,
// so that the page does not grow without end.
constexpr double kHistoryHeading = 440;
constexpr double kHistoryRow = 380;
constexpr double kHistoryRowsAtMost = 8 * kHistoryRow;
constexpr double kHistoryGap = 100;

double HistoryRowHeight(qsizetype sessions)
{
    return qMin(kHistoryRow, kHistoryRowsAtMost / qMax<qsizetype>(1, sessions));
}

} // namespace

ClinicianSheetDocument::ClinicianSheetDocument(const ClinicianSheet &sheet)
    : sheet_(sheet), report_(Score(sheet.answers))
{
}

QSizeF ClinicianSheetDocument::bandSize() const
{
    return {kWidth, kHeight + historyHeight()};
}

double ClinicianSheetDocument::historyHeight() const
{
    const qsizetype count = sheet_.sessions.size();
    if (count < 2)
        return 0;
    return kHistoryHeading + kHistoryRow + count * HistoryRowHeight(count) + kHistoryGap;
}

const ScoredSession *ClinicianSheetDocument::shownSession() const
{
    return sheet_.shown >= 0 && sheet_.shown < sheet_.sessions.size() ? &sheet_.sessions[sheet_.shown] : nullptr;
}

QString ClinicianSheetDocument::name() const
{
    return QStringLiteral("برگه‌ی بالینی");
}

QString ClinicianSheetDocument::title() const
{
    return sheet_.clinicName;
}

void ClinicianSheetDocument::paint(const SheetPainter &painter) const
{
    painter.value(SheetBox(0, 0, kWidth, 600, 16, Qt::AlignHCenter, SheetFace::Display), sheet_.clinicName);
    painter.value(SheetBox(0, 600, kWidth, 440, 13), QStringLiteral("برگه‌ی بالینی مقیاس مثلثی عشق"));
    painter.value(SheetBox(0, 1040, kWidth, 340, 10), QStringLiteral("محرمانه؛ ویژه‌ی پرونده‌ی مراجع"));
    // The day it is printed, in the same form as the test's date beside it.
    QString dates = QStringLiteral("تاریخ چاپ: ") + PersianDigits(sheet_.printDate);
    if (const ScoredSession *shown = shownSession())
        dates = QStringLiteral("تاریخ اجرای آزمون: ") + SessionDateText(shown->date) + QStringLiteral("؛ ") + dates;
    painter.value(SheetBox(0, 1380, kWidth, 380, 10), dates);
    SheetRule(painter.painter(), 1820, kWidth);
    paintParticulars(painter);
    SheetRule(painter.painter(), 3760, kWidth);
    paintScores(painter);
    SheetRule(painter.painter(), 9760, kWidth);
    const double shift = historyHeight();
    if (shift > 0) {
        paintHistory(painter, 9840);
        SheetRule(painter.painter(), 9760 + shift, kWidth);
    }
    paintAnswers(painter, shift);

    const QStringList &notes = report_.notes;
    double top = 12970 + shift;
    if (!notes.isEmpty())
        painter.value(SheetBox(0, top, kWidth, 420, 12, kRight), QStringLiteral("یادداشت‌ها"));
    for (const QString &note : notes) {
        top += 480;
        painter.paragraph(SheetBox(0, top, kWidth, 700, 10.5, kRight | Qt::AlignTop), QStringLiteral("• ") + note);
        top += 260;
    }
}

// Three columns of "caption: value", read from the right.
void ClinicianSheetDocument::paintParticulars(const SheetPainter &painter) const
{
    const Subject &subject = sheet_.subject;
    // In the order a clinician reads a case: who, then the registration.
    const struct {
        QString Subject::*particular;
        bool digits; // Persian digits on paper
    } rows[] = {{&Subject::code, false},      {&Subject::firstName, false}, {&Subject::lastName, false},
                {&Subject::gender, false},    {&Subject::age, true},        {&Subject::maritalStatus, false},
                {&Subject::group, false},     {&Subject::education, false}, {&Subject::beloved, false},
                {&Subject::date, true},       {&Subject::time, true}};
    constexpr double column = kWidth / 3;
    constexpr double caption = 1250;
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        const double right = kWidth - (i % 3) * column;
        const double top = 1920 + (i / 3) * 440;
        painter.value(SheetBox(right - caption, top, caption, 420, 10, kRight), ParticularLabel(rows[i].particular) + u':');
        // The value in its own direction, so that a Latin code keeps its order.
        const QString &stored = subject.*rows[i].particular;
        const QString shown = rows[i].digits ? PersianDigits(stored) : stored;
        SheetText value = SheetBox(right - column + 60, top, column - caption - 120, 420, 10, kRight);
        value.direction = shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
        painter.value(value, shown);
    }
}

// The sums with their range, the means per item, the cut-offs with their means and where each
// sum stands against its cut-off, with a note on how the levels are read; the triangle beside
// them, and the love type.
void ClinicianSheetDocument::paintScores(const SheetPainter &painter) const
{
    QPainter &p = painter.painter();
    const QString headings[5] = {QStringLiteral("مؤلفه"), QStringLiteral("نمره"), QStringLiteral("میانگین پاسخ‌ها"),
                                 QStringLiteral("نمره‌ی برش"), QStringLiteral("سطح")};
    const double widths[5] = {820, 900, 1200, 1020, 1100}; // the level's «مرزی (پایین)» on one line
    constexpr double tableWidth = 5040;
    constexpr double headingHeight = 440;
    constexpr double rowHeight = 600;
    double top = 3920;
    for (int row = 0; row < 4; ++row) {
        const double height = row == 0 ? headingHeight : rowHeight;
        double right = kWidth;
        for (int c = 0; c < 5; ++c) {
            const QRectF cell(right - widths[c], top, widths[c], height);
            right -= widths[c];
            SheetCell(p, cell);
            const QRectF inside = cell.adjusted(40, 0, -40, 0);
            if (row == 0) {
                painter.value({inside, SheetFace::Text, 10}, headings[c]);
                continue;
            }
            const ItemComponent component = kItemComponents[row - 1];
            const int sum = ScoreOf(report_.sums, component);
            const int cutOff = ScoreOf(kCutOffs, component);
            // A value, and under some of them what it is measured by.
            const QString values[5] = {ComponentLabel(component), PersianDigits(QString::number(sum)),
                                       MeanPerItemText(sum), PersianDigits(QString::number(cutOff)),
                                       ScoreLevelLabel(LevelOf(component, sum))};
            const QString notes[5] = {
                {}, ScoreRangeText(), {}, QStringLiteral("میانگین ") + MeanPerItemText(cutOff), {}};
            if (notes[c].isEmpty()) {
                painter.value({inside, SheetFace::Text, 10}, values[c]);
                continue;
            }
            painter.value({QRectF(inside.left(), top + 30, inside.width(), 330), SheetFace::Text, 10}, values[c]);
            painter.value({QRectF(inside.left(), top + 340, inside.width(), 240), SheetFace::Text, 8}, notes[c]);
        }
        top += height;
    }
    painter.paragraph(SheetBox(kWidth - tableWidth, top + 60, tableWidth, 900, 9, kRight | Qt::AlignTop), LevelsNote());
    top += 60 + 900 + 120;
    // The explanation begins with the type's name; its box holds the longest at full size.
    painter.paragraph(SheetBox(kWidth - tableWidth, top, tableWidth, 9680 - top, 10.5, kRight | Qt::AlignTop),
                      LoveTypeText(report_.type));

    QFont font(QStringLiteral("Nazli"));
    font.setBold(true);
    font.setPixelSize(190);
    p.setFont(font);
    // Apart on a black-and-white printer: the shown session filled, the first one dotted without a fill.
    std::optional<ChartTriangle> first;
    const ScoredSession *shown = shownSession();
    if (shown && sheet_.sessions.size() > 1 && sheet_.shown > 0)
        first = ChartTriangle{sheet_.sessions.constFirst().report.sums, QColor(40, 40, 40),
                              SessionLabel(sheet_.sessions.constFirst()), true};
    PaintScoreTriangle(p, QRectF(0, 3880, kWidth - tableWidth - 200, 4460), {Qt::black, QColor(170, 170, 170)},
                       ChartTriangle{report_.sums, QColor(60, 60, 60), shown ? SessionLabel(*shown) : QString()}, first);
}

// Every session in a row: its number and date, the three sums with their means per item, and the
// love type; the row of the session the sheet shows is shaded and says so beside its number.
void ClinicianSheetDocument::paintHistory(const SheetPainter &painter, double top) const
{
    QPainter &p = painter.painter();
    painter.value(SheetBox(0, top, kWidth, kHistoryHeading - 40, 12, kRight),
                  QStringLiteral("همه‌ی اجراهای آزمون (میانگین پاسخ‌ها در پرانتز)"));
    top += kHistoryHeading;
    const double widths[6] = {1400, 1400, 1560, 1560, 1560, 2160}; // the number «۳ (همین برگه)» on one line
    const QString headings[6] = {QStringLiteral("اجرا"), QStringLiteral("تاریخ"),
                                 ComponentLabel(ItemComponent::Intimacy), ComponentLabel(ItemComponent::Passion),
                                 ComponentLabel(ItemComponent::Commitment), QStringLiteral("نوع عشق")};
    const double rowHeight = HistoryRowHeight(sheet_.sessions.size());
    for (qsizetype row = -1; row < sheet_.sessions.size(); ++row) {
        const double height = row < 0 ? kHistoryRow : rowHeight;
        if (row == sheet_.shown)
            p.fillRect(QRectF(0, top, kWidth, height), QColor(228, 228, 228));
        QStringList texts(std::begin(headings), std::end(headings));
        if (row >= 0) {
            const ScoredSession &session = sheet_.sessions[row];
            QString number = PersianNumber(session.number);
            if (row == sheet_.shown)
                number += QStringLiteral(" (همین برگه)");
            texts = {number, SessionDateText(session.date)};
            for (const ItemComponent component : kItemComponents) {
                const int sum = ScoreOf(session.report.sums, component);
                texts << PersianNumber(sum) + QStringLiteral(" (") + MeanPerItemText(sum) + u')';
            }
            texts << LoveTypeLabel(session.report.type);
        }
        double right = kWidth;
        for (int c = 0; c < 6; ++c) {
            const QRectF cell(right - widths[c], top, widths[c], height);
            right -= widths[c];
            SheetCell(p, cell);
            painter.value({cell.adjusted(40, 0, -40, 0), SheetFace::Text, 10}, texts[c]);
        }
        top += height;
    }
}

// The 45 answers: one block per component, the items' numbers above their answers.
void ClinicianSheetDocument::paintAnswers(const SheetPainter &painter, double shift) const
{
    QPainter &p = painter.painter();
    painter.value(SheetBox(0, 9840 + shift, kWidth, 420, 12, kRight), QStringLiteral("پاسخ‌ها"));
    constexpr double caption = 1300;
    QList<double> widths{caption};
    widths.append(QList<double>(15, (kWidth - caption) / 15));
    const SheetColumns columns(kWidth, widths);
    for (int block = 0; block < 3; ++block) {
        const double top = 10320 + shift + block * 860;
        const QRectF name = columns.cell(0, top, 720);
        SheetCell(p, name);
        painter.value({name, SheetFace::Text, 10}, ComponentLabel(kItemComponents[block]));
        for (int i = 0; i < 15; ++i) {
            const int item = block * 15 + i + 1;
            const QRectF number = columns.cell(i + 1, top, 360);
            const QRectF answer = columns.cell(i + 1, top + 360, 360);
            SheetCell(p, number);
            SheetCell(p, answer);
            painter.value({number, SheetFace::Text, 8}, PersianDigits(QString::number(item)));
            painter.value({answer, SheetFace::Text, 10}, PersianDigits(sheet_.answers.stored(item)));
        }
    }
}

} // namespace morva
