#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <variant>
#include <vector>

namespace morva {

struct SubjectWithAnswers;

// A value of an exported row: missing, a number or a text.
using ExportValue = std::variant<std::monostate, double, QString>;
using ExportRow = std::vector<ExportValue>;

struct ExportColumn {
    enum class Kind {
        Text,   // a text as stored
        Number, // a number, missing where there is none
        Choice, // one of the values a registration list offers, as stored; numbered in files
                // that keep value labels
    };
    QString name;  // ASCII, fit for any statistics tool
    QString label; // Persian
    Kind kind = Kind::Text;
    int decimals = 0;                             // Number: how many decimals a plain text shows
    QList<std::pair<double, QString>> valueLabels; // Number: what its values mean, or some of them
    QStringList choices;                          // Choice: the offered values, numbered from 1
    bool categories = false;                      // Number: its values name kinds, not amounts
};

// The columns of a research export, in their order. Without names the first name, last name
// and beloved's name are left out, so that the file carries no identities.
QList<ExportColumn> ExportColumns(bool withNames);

// A subject's values, one per column of ExportColumns(withNames). The scores and love type are
// those the scoring window shows; they are missing unless every item is answered.
void FillExportRow(const SubjectWithAnswers &subject, bool withNames, ExportRow &row);

// Appends a number as a plain text shows it: with the column's decimals, or as it is when it has
// none; a point, never a comma, whatever the language of the desktop.
void AppendExportNumber(QByteArray &out, double value, int decimals);

} // namespace morva
