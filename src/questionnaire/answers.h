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

// Where the subject is in the questionnaire: "جمله‌ی ۱۲ از ۴۵".
QString ItemProgressText(int item);

// Item numbers as a Persian list, in Persian digits separated by "، ", read right to left in a
// Persian sentence: "۳، ۷، ۱۲". Empty for no items.
QString ItemNumbersText(const QList<int> &items);

} // namespace morva
