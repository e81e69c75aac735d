#pragma once

#include "records/subject.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <variant>
#include <vector>

namespace morva {

class SubjectStore;
struct SessionTexts;
struct SubjectFilter;
struct SubjectTexts;

// What a row of an export holds.
enum class ExportRows {
    PerSubject, // a subject with its latest answers
    PerSession, // a session of a subject with its number and date; a subject never tested has none
};

// A value of an exported row: missing, a number or a text in UTF-8. A text holds only while its
// subject is visited.
using ExportValue = std::variant<std::monostate, double, QByteArrayView>;
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
    QString Subject::*particular = nullptr;       // the particular it shows, if it shows one
    qsizetype longest = 0;                        // Text of no particular: its longest value in UTF-8 bytes
    bool sessionDate = false;                     // Text: the date of the row's session
};

// What a file that keeps its row count and each text's width in its header must know before the
// first row.
struct ExportOutline {
    qint64 rows = 0;
    std::vector<qsizetype> longest;   // by column: a Text column's longest value in UTF-8 bytes
    std::vector<QStringList> choices; // by column: a Choice column's offered values, then any other
                                      // that the rows hold, in the order they first come
};

// The columns of a research export, in their order. Without names the first name, last name
// and beloved's name are left out, so that the file carries no identities. A row of a session
// has the session's number and date after the subject's code and names.
QList<ExportColumn> ExportColumns(bool withNames, ExportRows rows);

// The outline of the rows of the subjects that pass the filter, or of their sessions, from the
// store alone.
ExportOutline OutlineExport(SubjectStore &store, const SubjectFilter &filter, const QList<ExportColumn> &columns,
                            ExportRows rows);

// A subject's values, one per column of ExportColumns(withNames, ExportRows::PerSubject), or a
// session's, one per column of ExportColumns(withNames, ExportRows::PerSession). The scores and
// love type are those the scoring window shows; they are missing unless every item is answered.
void FillExportRow(const SubjectTexts &subject, bool withNames, ExportRow &row);
void FillExportRow(const SessionTexts &session, bool withNames, ExportRow &row);

// Appends a number as a plain text shows it: with the column's decimals, or as it is when it has
// none; a point, never a comma, whatever the language of the desktop.
void AppendExportNumber(QByteArray &out, double value, int decimals);

} // namespace morva
