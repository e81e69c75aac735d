#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace morva {

// A point of the answer scale (1 to 9) named for the subject.
struct ScaleAnchor {
    int value;
    QString word;
};

// The named points of the scale, lowest first: 1 «اصلاً», 5 «به طور متوسط», 9 «به طور کامل». The
// test window's instruction, the labels beside its answer box and the value labels of the research
// export all take their words from here.
QList<ScaleAnchor> ScaleAnchors();
// An anchor as shown beside the answer box: "۱ = اصلاً".
QString ScaleAnchorText(const ScaleAnchor &anchor);

// A number in Persian digits, for running Persian text: 12 -> "۱۲".
QString PersianNumber(int number);

// Where the subject is in the questionnaire: "جمله‌ی ۱۲ از ۴۵".
QString ItemProgressText(int item);

// Whether a stored answer counts as an answer: one digit 1 to 9 (of any script).
bool IsAnswered(const QString &answer);

// The items, lowest first, whose answer does not count as one. answers: one text per item, item 1
// first; an item the list does not reach is unanswered.
QList<int> UnansweredItems(const QStringList &answers);

// Item numbers as a Persian list, in Persian digits separated by "، ", read right to left in a
// Persian sentence: "۳، ۷، ۱۲". Empty for no items.
QString ItemNumbersText(const QList<int> &items);

} // namespace morva
