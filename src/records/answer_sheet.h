#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

namespace morva {

// A subject's answers to the 45 items, each as stored, and the one rule for what an answer is:
// exactly one digit 1 to 9, in Latin, Persian or Arabic-Indic script. Anything else (nothing, "0",
// "55", " 3") leaves its item unanswered. The test window, scoring, both sheets and the export all
// read answers through here.
class AnswerSheet {
public:
    static constexpr int kItems = 45;

    AnswerSheet(); // every item unanswered
    // The texts as stored, item 1 first; items the list does not reach are unanswered.
    explicit AnswerSheet(const QStringList &stored);

    // The answer a text stands for, 1 to 9; nothing when it is not one.
    static std::optional<int> ValueOf(const QString &text);
    // The same for a text in UTF-8.
    static std::optional<int> ValueOf(QByteArrayView utf8);

    // item: 1 to kItems.
    QString stored(int item) const { return stored_.at(item - 1); }
    void set(int item, const QString &text) { stored_[item - 1] = text; }
    std::optional<int> value(int item) const { return ValueOf(stored(item)); }
    bool answered(int item) const { return value(item).has_value(); }

    // The unanswered items, lowest first.
    QList<int> unanswered() const;
    bool complete() const;
    const QStringList &storedTexts() const { return stored_; }

    friend bool operator==(const AnswerSheet &, const AnswerSheet &) = default;

private:
    QStringList stored_;
};

// How far a subject's test has come, by its latest answers.
enum class TestState { NotTaken, Incomplete, Complete };

// A row's answers read as the engine keeps them, in UTF-8, item 1 first, by the rule above.
struct DecodedAnswers {
    std::array<std::optional<int>, AnswerSheet::kItems> values{};
    int answered = 0;

    TestState state() const
    {
        return answered == AnswerSheet::kItems ? TestState::Complete
                                               : (answered == 0 ? TestState::NotTaken : TestState::Incomplete);
    }
};
// No texts (a subject without an answer row) leave every item unanswered.
DecodedAnswers DecodeAnswers(std::span<const QByteArrayView> utf8);

} // namespace morva
