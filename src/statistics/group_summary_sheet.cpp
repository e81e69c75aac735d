#include "statistics/group_summary_sheet.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"
#include "records/subject_choices.h"
#include "scoring/love_type.h"
#include "scoring/scores.h"

#include <QPainter>

#include <algorithm>
#include <functional>

namespace morva {
namespace {

constexpr double kWidth = kA4BandWidth;
constexpr double kHeight = kA4BandHeight;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignAbsolute;
constexpr int kRows = kGroupCount + 1; // the seven groups, then all together

const GroupSummary &RowSummary(const GroupSummaries &summaries, int row)
{
    return row < kGroupCount ? summaries.groups[row] : summaries.all;
}

QString RowLabel(int row)
{
    return row < kGroupCount ? Groups()[row] : QStringLiteral("همه");
}

QString Count(qint64 n)
{
    return PersianNumber(static_cast<double>(n));
}

// "mean (standard deviation)", a dash for what is missing.
QString MeanAndSpread(std::optional<double> mean, std::optional<double> sd, int decimals)
{
    if (!mean)
        return PersianFigure(std::nullopt, decimals);
    return QStringLiteral("%1 (%2)").arg(PersianFigure(mean, decimals), PersianFigure(sd, decimals));
}

} // namespace

GroupSummaryDocument::GroupSummaryDocument(const GroupSummarySheet &sheet)
    : sheet_(sheet),
      comparison_(CompareGroups(sheet.summaries.groups[sheet.first], sheet.summaries.groups[sheet.second]))
{
}

QSizeF GroupSummaryDocument::bandSize() const
{
    return {kWidth, kHeight};
}

QString GroupSummaryDocument::title() const
{
    return sheet_.clinicName;
}

QString GroupSummaryDocument::name() const
{
    return QStringLiteral("خلاصه‌ی گروه‌ها");
}

void GroupSummaryDocument::paint(const SheetPainter &painter) const
{
    painter.value(SheetBox(0, 0, kWidth, 520, 16, Qt::AlignHCenter, SheetFace::Display), sheet_.clinicName);
    painter.value(SheetBox(0, 540, kWidth, 400, 13), name());
    painter.value(SheetBox(0, 950, kWidth, 330, 10),
                  QStringLiteral("تاریخ: %1؛ %2").arg(PersianDigits(sheet_.date), sheet_.scope));
    SheetRule(painter.painter(), 1340, kWidth);
    paintScores(painter, 1420);
    paintChart(painter, 6720);
    paintLoveTypes(painter, 9120);
    paintComparison(painter, 11940);
}

// Each group's scores: how many subjects, and over the complete ones each component's mean and
// standard deviation, of the sum above and of the mean per item below, and the median sum.
void GroupSummaryDocument::paintScores(const SheetPainter &painter, double top) const
{
    QPainter &p = painter.painter();
    painter.value(SheetBox(0, top, kWidth, 360, 11, kRight), QStringLiteral("نمره‌های هر گروه"));
    top += 380;
    const double component = (kWidth - 3 * 760) / 3;
    const SheetColumns columns(kWidth, {760, 760, 760, component - 760, 760, component - 760, 760, component - 760, 760});
    const auto header = [&](int column, double y, double height, const QString &text, int span = 1) {
        const QRectF cell = columns.cell(column, y, height, span);
        SheetCell(p, cell, true);
        painter.value(SheetBox(cell.left() + 30, y, cell.width() - 60, height, 9.5), text);
    };
    header(0, top, 580, QStringLiteral("گروه"));
    header(1, top, 580, QStringLiteral("کامل"));
    header(2, top, 580, QStringLiteral("ناقص"));
    for (int c = 0; c < 3; ++c) {
        header(3 + 2 * c, top, 300, ComponentLabel(kItemComponents[c]), 2);
        header(3 + 2 * c, top + 300, 280, QStringLiteral("میانگین (انحراف معیار)"));
        header(4 + 2 * c, top + 300, 280, QStringLiteral("میانه"));
    }
    top += 580;
    constexpr double row = 480;
    for (int r = 0; r < kRows; ++r) {
        const GroupSummary &summary = RowSummary(sheet_.summaries, r);
        const double y = top + r * row;
        const auto value = [&](int column, const QString &text, double points = 9.5) {
            const QRectF cell = columns.cell(column, y, row);
            SheetCell(p, cell, r == kRows - 1);
            painter.value(SheetBox(cell.left() + 30, y, cell.width() - 60, row, points), text);
        };
        value(0, RowLabel(r));
        value(1, Count(summary.complete));
        value(2, Count(summary.incomplete));
        for (int c = 0; c < 3; ++c) {
            const ComponentSummary &figures = summary.components[c];
            const QRectF cell = columns.cell(3 + 2 * c, y, row);
            SheetCell(p, cell, r == kRows - 1);
            painter.value(SheetBox(cell.left() + 30, y + 20, cell.width() - 60, 240, 9.5),
                          MeanAndSpread(figures.meanSum, figures.sdSum, 1));
            painter.value(SheetBox(cell.left() + 30, y + 240, cell.width() - 60, 220, 8),
                          MeanAndSpread(figures.meanPerItem, figures.sdPerItem, 2));
            value(4 + 2 * c, PersianFigure(figures.medianSum, 1));
        }
    }
    painter.paragraph(SheetBox(0, top + kRows * row + 40, kWidth, 440, 8.5, kRight | Qt::AlignTop),
                      QStringLiteral("در هر خانه، سطر بالا میانگین نمره‌ی مؤلفه (از %1) و سطر پایین میانگین پاسخ "
                                     "به هر جمله‌ی آن (از ۱ تا ۹) است، با انحراف معیار در پرانتز. میانگین‌ها و میانه از "
                                     "آزمودنی‌های کامل به دست آمده‌اند؛ «ناقص» آزمودنی‌ای است که به برخی از جمله‌ها پاسخ "
                                     "نداده است و آزمودنی‌ای که آزمونش اجرا نشده، شمرده نمی‌شود. خط تیره یعنی داده برای "
                                     "محاسبه‌ی آن عدد کافی نیست.")
                          .arg(ScoreRangeText()));
}

// For each component, the groups' mean sums as bars from the lowest possible sum, each with a
// line of one standard deviation on either side.
void GroupSummaryDocument::paintChart(const SheetPainter &painter, double top) const
{
    QPainter &p = painter.painter();
    constexpr double height = 2300;
    const double panel = kWidth / 3;
    for (int c = 0; c < 3; ++c) {
        const double right = kWidth - c * panel;
        painter.value(SheetBox(right - panel, top, panel, 300, 10), ComponentLabel(kItemComponents[c]));
        const QRectF plot(right - panel + 200, top + 380, panel - 700, height - 900);
        const auto yOf = [&](double sum) {
            const double clamped = std::clamp(sum, double(kLowestScore), double(kHighestScore));
            return plot.bottom() - (clamped - kLowestScore) / (kHighestScore - kLowestScore) * plot.height();
        };
        p.setPen(QPen(QColor(150, 150, 150), 5));
        for (const int sum : {kLowestScore, 75, kHighestScore}) {
            p.drawLine(QPointF(plot.left(), yOf(sum)), QPointF(plot.right(), yOf(sum)));
            painter.value(SheetBox(plot.right() + 40, yOf(sum) - 130, 420, 260, 8, Qt::AlignLeft | Qt::AlignAbsolute),
                          PersianNumber(sum));
        }
        const double slot = plot.width() / kRows;
        for (int r = 0; r < kRows; ++r) {
            const double x = plot.right() - (r + 0.5) * slot; // the first group at the right
            painter.value(SheetBox(x - slot / 2, plot.bottom() + 20, slot, 260, 8), RowLabel(r));
            const ComponentSummary &figures = RowSummary(sheet_.summaries, r).components[c];
            if (!figures.meanSum)
                continue;
            const QRectF bar(x - slot * 0.3, yOf(*figures.meanSum), slot * 0.6, plot.bottom() - yOf(*figures.meanSum));
            p.setPen(QPen(QColor(80, 80, 80), 5));
            p.setBrush(r == kRows - 1 ? QColor(120, 120, 120) : QColor(190, 190, 190));
            p.drawRect(bar);
            if (figures.sdSum) {
                const double high = yOf(*figures.meanSum + *figures.sdSum);
                const double low = yOf(*figures.meanSum - *figures.sdSum);
                p.setPen(QPen(Qt::black, 8));
                p.drawLine(QPointF(x, high), QPointF(x, low));
                p.drawLine(QPointF(x - slot * 0.15, high), QPointF(x + slot * 0.15, high));
                p.drawLine(QPointF(x - slot * 0.15, low), QPointF(x + slot * 0.15, low));
            }
        }
    }
    painter.value(SheetBox(0, top + height - 240, kWidth, 240, 8.5, kRight),
                  QStringLiteral("ستون‌ها میانگین نمره‌ی مؤلفه در هر گروه را نشان می‌دهند و خط‌های عمودی روی آن‌ها یک "
                                 "انحراف معیار بالا و پایین میانگین را."));
}

// How many of each group's complete subjects have each love type, and their share.
void GroupSummaryDocument::paintLoveTypes(const SheetPainter &painter, double top) const
{
    QPainter &p = painter.painter();
    painter.value(SheetBox(0, top, kWidth, 360, 11, kRight), QStringLiteral("نوع عشق در هر گروه: تعداد (درصد)"));
    top += 380;
    constexpr double label = 2040;
    const double each = (kWidth - label) / kRows;
    const SheetColumns columns(kWidth, {label, each, each, each, each, each, each, each, each});
    constexpr double row = 260;
    const auto cell = [&](int column, double y, const QString &text, bool shaded) {
        const QRectF box = columns.cell(column, y, row);
        SheetCell(p, box, shaded);
        painter.value(SheetBox(box.left() + 30, y, box.width() - 60, row, 8.5), text);
    };
    cell(0, top, QStringLiteral("نوع عشق"), true);
    for (int r = 0; r < kRows; ++r)
        cell(1 + r, top, RowLabel(r), true);
    for (int t = 0; t < kLoveTypeCount; ++t) {
        const auto type = static_cast<LoveType>(t);
        const double y = top + (t + 1) * row;
        cell(0, y, LoveTypeLabel(type), false);
        for (int r = 0; r < kRows; ++r) {
            const GroupSummary &summary = RowSummary(sheet_.summaries, r);
            const std::optional<double> percent = summary.loveTypePercent(type);
            cell(1 + r, y,
                 percent ? QStringLiteral("%1 (%2٪)").arg(Count(summary.loveTypeCount(type)), PersianFigure(percent, 0))
                         : PersianFigure(std::nullopt, 0),
                 r == kRows - 1);
        }
    }
}

// The two chosen groups side by side: for each component Welch's t-test and Cohen's d, and for the
// love types a chi-square test.
void GroupSummaryDocument::paintComparison(const SheetPainter &painter, double top) const
{
    QPainter &p = painter.painter();
    const GroupSummary &first = sheet_.summaries.groups[sheet_.first];
    const GroupSummary &second = sheet_.summaries.groups[sheet_.second];
    painter.value(SheetBox(0, top, kWidth, 340, 11, kRight),
                  QStringLiteral("مقایسه‌ی گروه %1 (%2 آزمودنی کامل) با گروه %3 (%4 آزمودنی کامل)")
                      .arg(Groups()[sheet_.first], Count(first.complete), Groups()[sheet_.second],
                           Count(second.complete)));
    painter.value(SheetBox(0, top + 350, kWidth, 260, 8.5, kRight),
                  QStringLiteral("آزمون t ولش (بدون فرض برابری واریانس‌ها، دودامنه)؛ d کوهن با انحراف معیار ترکیبی؛ "
                                 "d مثبت یعنی میانگین گروه %1 بیشتر است.")
                      .arg(Groups()[sheet_.first]));
    top += 640;
    const SheetColumns columns(kWidth, {1600, 1100, 1300, 1100, 1100, 3440});
    constexpr double row = 280;
    const auto cell = [&](int column, double y, const QString &text, bool shaded) {
        const QRectF box = columns.cell(column, y, row);
        SheetCell(p, box, shaded);
        painter.value(SheetBox(box.left() + 30, y, box.width() - 60, row, 8.5), text);
    };
    const QStringList headings{QStringLiteral("مؤلفه"), QStringLiteral("t"), QStringLiteral("درجه‌ی آزادی"),
                               QStringLiteral("p"), QStringLiteral("d کوهن"),
                               QStringLiteral("فاصله‌ی اطمینان ۹۵٪ برای d")};
    for (int c = 0; c < columns.count(); ++c)
        cell(c, top, headings[c], true);
    for (int c = 0; c < 3; ++c) {
        const ComponentComparison &compared = comparison_.components[c];
        const double y = top + (c + 1) * row;
        const std::optional<WelchTest> &welch = compared.welch;
        const std::optional<EffectSize> &d = compared.cohensD;
        cell(0, y, ComponentLabel(kItemComponents[c]), false);
        cell(1, y, PersianFigure(welch ? std::optional(welch->t) : std::nullopt, 2), false);
        cell(2, y, PersianFigure(welch ? std::optional(welch->df) : std::nullopt, 1), false);
        // «< ۰٫۰۰۱» is read as a formula, left to right, as in «p < ۰٫۰۰۱».
        cell(3, y, QStringLiteral("\u2066%1\u2069").arg(PersianPValue(welch ? std::optional(welch->p) : std::nullopt)),
             false);
        cell(4, y, PersianFigure(d ? std::optional(d->d) : std::nullopt, 2), false);
        cell(5, y,
             d ? QStringLiteral("%1 تا %2").arg(PersianFigure(d->low, 2), PersianFigure(d->high, 2))
               : PersianFigure(std::nullopt, 2),
             false);
    }
    top += 4 * row + 60;
    QString types;
    if (const std::optional<ChiSquareTest> &chi = comparison_.loveTypes) {
        const QString p = PersianPValue(chi->p);
        // "p = …" is a formula of Latin letters: kept left to right as a whole.
        types = QStringLiteral("نوع عشق (آزمون خی‌دو): خی‌دو = %1؛ درجه‌ی آزادی = %2؛ \u2066p %3\u2069")
                    .arg(PersianFigure(chi->chiSquare, 2), Count(chi->df),
                         p.startsWith(u'<') ? p : QStringLiteral("= ") + p);
        if (chi->smallExpected)
            types += QStringLiteral("\nفراوانی مورد انتظار برخی از خانه‌ها کمتر از ۵ است؛ مقدار p تقریبی است و باید با احتیاط "
                                   "تفسیر شود.");
    } else {
        types = QStringLiteral("نوع عشق (آزمون خی‌دو): برای این دو گروه انجام‌پذیر نیست؛ این آزمون دست‌کم یک آزمودنی "
                               "کامل در هر گروه و دست‌کم دو نوع عشق در مجموع دو گروه لازم دارد.");
    }
    painter.paragraph(SheetBox(0, top, kWidth, 520, 8.5, kRight | Qt::AlignTop), types);
}

} // namespace morva
