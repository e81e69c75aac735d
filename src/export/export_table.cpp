#include "export/export_table.h"

#include "questionnaire/answers.h"
#include "questionnaire/item_bank.h"
#include "records/columns.h"
#include "common/numbers.h"
#include "records/subject_choices.h"
#include "records/subject_store.h"
#include "scoring/love_type.h"
#include "scoring/score_report.h"

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
    QList<ExportColumn> columns{Text(QStringLiteral("code"), ParticularLabel(&Subject::code))};
    if (withNames) {
        columns << Text(QStringLiteral("first_name"), ParticularLabel(&Subject::firstName))
                << Text(QStringLiteral("last_name"), ParticularLabel(&Subject::lastName))
                << Text(QStringLiteral("beloved"), ParticularLabel(&Subject::beloved));
    }
    columns << Choice(QStringLiteral("group"), ParticularLabel(&Subject::group), Groups())
            << Choice(QStringLiteral("gender"), ParticularLabel(&Subject::gender), Genders())
            << Number(QStringLiteral("age"), ParticularLabel(&Subject::age))
            << Choice(QStringLiteral("marital"), ParticularLabel(&Subject::maritalStatus), MaritalStatuses())
            << Text(QStringLiteral("education"), ParticularLabel(&Subject::education))
            << Text(QStringLiteral("reg_date"), ParticularLabel(&Subject::date))
            << Text(QStringLiteral("reg_time"), ParticularLabel(&Subject::time));
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

void FillExportRow(const SubjectWithAnswers &record, bool withNames, ExportRow &row)
{
    static const Subject noSubject;
    static const AnswerSheet noAnswers;
    const Subject &subject = record.subject ? *record.subject : noSubject;
    const AnswerSheet &answers = record.answers ? *record.answers : noAnswers;
    row.clear();
    row.emplace_back(subject.code);
    if (withNames) {
        for (const QString *name : {&subject.firstName, &subject.lastName, &subject.beloved})
            row.emplace_back(*name);
    }
    row.emplace_back(subject.group);
    row.emplace_back(subject.gender);
    row.push_back(AgeValue(subject.age));
    for (const QString *text : {&subject.maritalStatus, &subject.education, &subject.date, &subject.time})
        row.emplace_back(*text);
    for (int item = 1; item <= ItemCount; ++item) {
        if (const std::optional<int> answer = answers.value(item))
            row.emplace_back(double(*answer));
        else
            row.emplace_back(std::monostate());
    }
    const ScoreReport report = Score(answers);
    if (report.complete()) {
        for (ItemComponent c : kItemComponents)
            row.emplace_back(double(ScoreOf(report.sums, c)));
        for (ItemComponent c : kItemComponents)
            row.emplace_back(MeanPerItem(ScoreOf(report.sums, c)));
        row.emplace_back(double(static_cast<int>(report.type) + 1));
        row.emplace_back(LoveTypeLabel(report.type));
    } else {
        row.insert(row.end(), 3 + 3 + 2, ExportValue());
    }
    row.emplace_back(report.complete() ? 1.0 : 0.0);
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
