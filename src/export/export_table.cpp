#include "export/export_table.h"

#include "questionnaire/answers.h"
#include "questionnaire/item_bank.h"
#include "records/columns.h"
#include "common/numbers.h"
#include "records/subject_choices.h"
#include "records/subject_stream.h"
#include "scoring/love_type.h"
#include "scoring/scores.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <iterator>

namespace morva {
namespace {

using Kind = ExportColumn::Kind;

constexpr int kLoveTypes = 8;

// Each component's variable name, and our own spelling of its name for the labels of a file; in
// the order of ItemComponent.
struct ComponentNames {
    const char *variable;
    const char *title;
};
constexpr ComponentNames kComponentNames[] = {{"intimacy", "صمیمیت"}, {"passion", "هوس"}, {"commitment", "تعهد"}};

// What the ends and the middle of the answer scale mean, as the items' value labels: the words
// the subject read in the test window.
const QList<std::pair<double, QString>> &AnswerAnchors()
{
    static const QList<std::pair<double, QString>> anchors = [] {
        QList<std::pair<double, QString>> labels;
        for (const ScaleAnchor &anchor : ScaleAnchors())
            labels.append({anchor.value, anchor.word});
        return labels;
    }();
    return anchors;
}

QString ComponentName(ItemComponent component)
{
    return QLatin1String(kComponentNames[static_cast<int>(component)].variable);
}

QString ComponentTitle(ItemComponent component)
{
    return QString::fromUtf8(kComponentNames[static_cast<int>(component)].title);
}

// An answer is a digit 1 to 9; anything else counts as no answer.
ExportValue AnswerValue(const QString &answer)
{
    if (answer.size() == 1 && answer[0] >= u'1' && answer[0] <= u'9')
        return double(answer[0].unicode() - u'0');
    return {};
}

// An age as typed, in Latin or Persian digits; missing unless the text is a number alone.
ExportValue AgeValue(const QString &age)
{
    const std::optional<double> value = WholeNumber(age);
    return value ? ExportValue(*value) : ExportValue();
}

ExportColumn Text(const QString &name, const QString &label)
{
    return {name, label, Kind::Text, 0, {}, {}, false};
}

ExportColumn Choice(const QString &name, const QString &label, const QStringList &choices)
{
    return {name, label, Kind::Choice, 0, {}, choices, false};
}

ExportColumn Number(const QString &name, const QString &label, int decimals = 0,
                    const QList<std::pair<double, QString>> &valueLabels = {})
{
    return {name, label, Kind::Number, decimals, valueLabels, {}, false};
}

// A number that stands for one of a few kinds, each labelled.
ExportColumn Category(const QString &name, const QString &label, const QList<std::pair<double, QString>> &kinds)
{
    return {name, label, Kind::Number, 0, kinds, {}, true};
}

} // namespace

QList<ExportColumn> ExportColumns(bool withNames)
{
    QList<ExportColumn> columns{Text(QStringLiteral("code"), QStringLiteral("کد آزمودنی"))};
    if (withNames) {
        columns << Text(QStringLiteral("first_name"), QStringLiteral("نام"))
                << Text(QStringLiteral("last_name"), QStringLiteral("نام خانوادگی"))
                << Text(QStringLiteral("beloved"), QStringLiteral("نام معشوق"));
    }
    columns << Choice(QStringLiteral("group"), QStringLiteral("گروه"), Groups())
            << Choice(QStringLiteral("gender"), QStringLiteral("جنسیت"), Genders())
            << Number(QStringLiteral("age"), QStringLiteral("سن"))
            << Choice(QStringLiteral("marital"), QStringLiteral("وضعیت تأهل"), MaritalStatuses())
            << Text(QStringLiteral("education"), QStringLiteral("تحصیلات"))
            << Text(QStringLiteral("reg_date"), QStringLiteral("تاریخ ثبت (خورشیدی)"))
            << Text(QStringLiteral("reg_time"), QStringLiteral("ساعت ثبت"));
    const QLocale persian(QLocale::Persian, QLocale::Iran);
    for (int item = 1; item <= ItemCount; ++item) {
        columns << Number(QStringLiteral("q%1").arg(item),
                          QStringLiteral("گویه‌ی %1 (%2)")
                              .arg(persian.toString(item), ComponentTitle(ItemComponentOf(item))),
                          0, AnswerAnchors());
    }
    for (ItemComponent c : kItemComponents)
        columns << Number(ComponentName(c), QStringLiteral("نمره‌ی کل ") + ComponentTitle(c));
    for (ItemComponent c : kItemComponents) {
        columns << Number(ComponentName(c) + QStringLiteral("_mean"),
                          QStringLiteral("میانگین پاسخ‌های ") + ComponentTitle(c), 1);
    }
    QList<std::pair<double, QString>> types;
    for (int t = 0; t < kLoveTypes; ++t)
        types.append({t + 1, LoveTypeLabel(static_cast<LoveType>(t))});
    columns << Category(QStringLiteral("love_type"), QStringLiteral("نوع عشق (شماره)"), types)
            << Text(QStringLiteral("love_type_label"), QStringLiteral("نوع عشق"))
            << Category(QStringLiteral("complete"), QStringLiteral("کامل بودن پاسخ‌نامه"),
                        {{0, QStringLiteral("ناقص")}, {1, QStringLiteral("کامل")}});
    return columns;
}

void FillExportRow(const SubjectWithAnswers &subject, bool withNames, ExportRow &row)
{
    static const qsizetype code = ParticularIndex(column::Code), firstName = ParticularIndex(column::FName),
                           lastName = ParticularIndex(column::LName), beloved = ParticularIndex(column::Morva),
                           group = ParticularIndex(column::Group), gender = ParticularIndex(column::Jens),
                           age = ParticularIndex(column::Sen), marital = ParticularIndex(column::Taahol),
                           education = ParticularIndex(column::Tahsil), date = ParticularIndex(column::Date),
                           time = ParticularIndex(column::Time);
    const auto particular = [&](qsizetype index) { return ExportValue(subject.particulars.value(index)); };
    row.clear();
    row.push_back(particular(code));
    if (withNames) {
        for (qsizetype name : {firstName, lastName, beloved})
            row.push_back(particular(name));
    }
    row.push_back(particular(group));
    row.push_back(particular(gender));
    row.push_back(AgeValue(subject.particulars.value(age)));
    for (qsizetype text : {marital, education, date, time})
        row.push_back(particular(text));
    bool complete = true;
    for (int item = 0; item < ItemCount; ++item) {
        row.push_back(AnswerValue(subject.answers.value(item)));
        complete = complete && !std::holds_alternative<std::monostate>(row.back());
    }
    if (complete) {
        const ComponentScores scores = ComputeScores(subject.answers);
        for (ItemComponent c : kItemComponents)
            row.emplace_back(double(ScoreOf(scores, c)));
        for (ItemComponent c : kItemComponents)
            row.emplace_back(MeanPerItem(ScoreOf(scores, c)));
        const LoveType type = ClassifyLoveType(scores);
        row.emplace_back(double(static_cast<int>(type) + 1));
        row.emplace_back(LoveTypeLabel(type));
    } else {
        row.insert(row.end(), 3 + 3 + 2, ExportValue());
    }
    row.emplace_back(complete ? 1.0 : 0.0);
}

void AppendExportNumber(QByteArray &out, double value, int decimals)
{
    char digits[64];
    std::to_chars_result written{};
    // Most values are whole numbers: they take the short way.
    if (decimals == 0 && value == std::trunc(value) && std::abs(value) < 1e15)
        written = std::to_chars(std::begin(digits), std::end(digits), static_cast<qint64>(value));
    else if (decimals > 0)
        written = std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, decimals);
    else
        written = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, written.ptr - digits);
}

} // namespace morva
