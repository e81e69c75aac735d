#include "export/export_table.h"

#include "questionnaire/answers.h"
#include "questionnaire/item_bank.h"
#include "records/columns.h"
#include "common/numbers.h"
#include "records/subject_choices.h"
#include "records/subject_store.h"
#include "scoring/love_type.h"
#include "scoring/scores.h"

#include <QLocale>

#include <algorithm>
#include <array>
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

// The love types' labels in UTF-8, by type.
const std::array<QByteArray, kLoveTypes> &LoveTypeLabelsUtf8()
{
    static const std::array<QByteArray, kLoveTypes> labels = [] {
        std::array<QByteArray, kLoveTypes> utf8;
        for (int t = 0; t < kLoveTypes; ++t)
            utf8[t] = LoveTypeLabel(static_cast<LoveType>(t)).toUtf8();
        return utf8;
    }();
    return labels;
}

// Where the particulars an export shows stand among a subject's stored texts.
struct StoredColumns {
    qsizetype code = ColumnOf(&Subject::code);
    qsizetype names[3] = {ColumnOf(&Subject::firstName), ColumnOf(&Subject::lastName), ColumnOf(&Subject::beloved)};
    qsizetype group = ColumnOf(&Subject::group);
    qsizetype gender = ColumnOf(&Subject::gender);
    qsizetype age = ColumnOf(&Subject::age);
    qsizetype texts[4] = {ColumnOf(&Subject::maritalStatus), ColumnOf(&Subject::education), ColumnOf(&Subject::date),
                          ColumnOf(&Subject::time)};
};

// An age as typed, in Latin or Persian digits; missing unless the text is a number alone.
ExportValue AgeValue(QByteArrayView age)
{
    const std::optional<double> value = WholeNumber(QString::fromUtf8(age));
    return value ? ExportValue(*value) : ExportValue();
}

// A session's number as stored; missing unless it is a number.
ExportValue SessionNumber(QByteArrayView number)
{
    bool ok = false;
    const int value = number.toInt(&ok);
    return ok ? ExportValue(double(value)) : ExportValue();
}

ExportColumn Text(const QString &name, QString Subject::*particular)
{
    return {name, ParticularLabel(particular), Kind::Text, 0, {}, {}, false, particular, 0};
}

ExportColumn Choice(const QString &name, QString Subject::*particular, const QStringList &choices)
{
    return {name, ParticularLabel(particular), Kind::Choice, 0, {}, choices, false, particular, 0};
}

ExportColumn Number(const QString &name, const QString &label, int decimals = 0,
                    const QList<std::pair<double, QString>> &valueLabels = {}, QString Subject::*particular = nullptr)
{
    return {name, label, Kind::Number, decimals, valueLabels, {}, false, particular, 0};
}

// A number that stands for one of a few kinds, each labelled.
ExportColumn Category(const QString &name, const QString &label, const QList<std::pair<double, QString>> &kinds)
{
    return {name, label, Kind::Number, 0, kinds, {}, true, nullptr, 0};
}

} // namespace

QList<ExportColumn> ExportColumns(bool withNames, ExportRows rows)
{
    QList<ExportColumn> columns{Text(QStringLiteral("code"), &Subject::code)};
    if (withNames) {
        columns << Text(QStringLiteral("first_name"), &Subject::firstName)
                << Text(QStringLiteral("last_name"), &Subject::lastName)
                << Text(QStringLiteral("beloved"), &Subject::beloved);
    }
    if (rows == ExportRows::PerSession) {
        columns << Number(QStringLiteral("session"), QStringLiteral("شماره‌ی اجرا"))
                << ExportColumn{QStringLiteral("session_date"), QStringLiteral("تاریخ اجرا"), Kind::Text, 0, {}, {},
                                false, nullptr, 0, true};
    }
    columns << Choice(QStringLiteral("group"), &Subject::group, Groups())
            << Choice(QStringLiteral("gender"), &Subject::gender, Genders())
            << Number(QStringLiteral("age"), ParticularLabel(&Subject::age), 0, {}, &Subject::age)
            << Choice(QStringLiteral("marital"), &Subject::maritalStatus, MaritalStatuses())
            << Text(QStringLiteral("education"), &Subject::education)
            << Text(QStringLiteral("reg_date"), &Subject::date)
            << Text(QStringLiteral("reg_time"), &Subject::time);
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
    const std::array<QByteArray, kLoveTypes> &labels = LoveTypeLabelsUtf8();
    ExportColumn typeLabel{QStringLiteral("love_type_label"), QStringLiteral("نوع عشق"), Kind::Text, 0, {}, {}, false,
                           nullptr, 0};
    for (const QByteArray &label : labels)
        typeLabel.longest = std::max(typeLabel.longest, label.size());
    columns << Category(QStringLiteral("love_type"), QStringLiteral("نوع عشق (شماره)"), types) << typeLabel
            << Category(QStringLiteral("complete"), QStringLiteral("کامل بودن پاسخ‌نامه"),
                        {{0, QStringLiteral("ناقص")}, {1, QStringLiteral("کامل")}});
    return columns;
}

ExportOutline OutlineExport(SubjectStore &store, const SubjectFilter &filter, const QList<ExportColumn> &columns,
                            ExportRows rows)
{
    QList<QString Subject::*> chosen;
    for (const ExportColumn &c : columns) {
        if (c.kind == Kind::Choice)
            chosen << c.particular;
    }
    const SubjectsOutline subjects = store.outline(filter, chosen);
    ExportOutline outline{subjects.subjects, {}, {}};
    SessionsOutline sessions;
    if (rows == ExportRows::PerSession) {
        sessions = store.sessionsOutline(filter);
        outline.rows = sessions.sessions;
    }
    qsizetype asked = 0;
    for (const ExportColumn &c : columns) {
        if (c.sessionDate)
            outline.longest.push_back(sessions.longestDate);
        else
            outline.longest.push_back(c.particular ? subjects.longest.value(ColumnOf(c.particular)) : c.longest);
        QStringList choices = c.choices;
        if (c.kind == Kind::Choice) {
            for (const QString &value : subjects.values.value(asked++)) {
                if (!choices.contains(value))
                    choices << value; // a value no list offers keeps a number of its own
            }
        }
        outline.choices.push_back(choices);
    }
    return outline;
}

namespace {

// The values of a subject's particulars and answers, with the session's number and date when the
// row is a session's. No answers: every item unanswered.
void FillRow(std::span<const QByteArrayView> particulars, const SessionTexts *session,
             std::span<const QByteArrayView> answerTexts, bool withNames, ExportRow &row)
{
    static const StoredColumns stored;
    row.clear();
    row.emplace_back(particulars[stored.code]);
    if (withNames) {
        for (qsizetype name : stored.names)
            row.emplace_back(particulars[name]);
    }
    if (session) {
        row.push_back(SessionNumber(session->number));
        row.emplace_back(session->date);
    }
    row.emplace_back(particulars[stored.group]);
    row.emplace_back(particulars[stored.gender]);
    row.push_back(AgeValue(particulars[stored.age]));
    for (qsizetype text : stored.texts)
        row.emplace_back(particulars[text]);
    const DecodedAnswers answers = DecodeAnswers(answerTexts);
    for (const std::optional<int> &answer : answers.values) {
        if (answer)
            row.emplace_back(double(*answer));
        else
            row.emplace_back(std::monostate());
    }
    const bool complete = answers.state() == TestState::Complete;
    if (complete) {
        const ComponentScores sums = ComputeScores(answers.values);
        const LoveType type = ClassifyLoveType(sums);
        for (ItemComponent c : kItemComponents)
            row.emplace_back(double(ScoreOf(sums, c)));
        for (ItemComponent c : kItemComponents)
            row.emplace_back(MeanPerItem(ScoreOf(sums, c)));
        row.emplace_back(double(static_cast<int>(type) + 1));
        row.emplace_back(QByteArrayView(LoveTypeLabelsUtf8()[static_cast<int>(type)]));
    } else {
        row.insert(row.end(), 3 + 3 + 2, ExportValue());
    }
    row.emplace_back(complete ? 1.0 : 0.0);
}

} // namespace

void FillExportRow(const SubjectTexts &subject, bool withNames, ExportRow &row)
{
    FillRow(subject.particulars, nullptr, subject.answers, withNames, row);
}

void FillExportRow(const SessionTexts &session, bool withNames, ExportRow &row)
{
    FillRow(session.particulars, &session, session.answers, withNames, row);
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
