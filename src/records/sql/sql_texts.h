#pragma once

#include "records/answer_sheet.h"
#include "records/sql/sql_connection.h"
#include "records/subject.h"
#include "records/subject_filter.h"

#include <QString>
#include <QVariantList>

// The pieces of SQL and the readings of rows that the SQL stores of subjects build their statements
// and their answers from, in the SQL that SQLite and PostgreSQL both speak.
namespace morva {

// The column a filter compares, or "" for every subject.
QString FilterColumn(SubjectFilter::Field field);

// "AND alias."Column" = ?" for a narrowing filter, with its value appended to values.
QString FilterCondition(const SubjectFilter &filter, const QString &alias, QVariantList &values);

// The first row of a table under a code (a bound value, or a column of the query), in the order
// rows were added: a subject is its first subject row and its first answer row.
QString FirstRowOf(const QString &table, const QString &code = QStringLiteral("?"));

// The latest session of the subject whose code is the column code of the query.
QString LatestSessionOf(const QString &code);

// The particulars' columns, and the answers' columns from item 1, each after alias ("s.").
QString SubjectColumnList(const QString &alias);
QString AnswerColumnList(const QString &alias);

// A row's text at column i, a subject from its columns starting at first, and the answers from
// theirs.
QString TextAt(TextRow row, qsizetype i);
Subject SubjectAt(TextRow row, qsizetype first);
AnswerSheet AnswersAt(TextRow row, qsizetype first);

} // namespace morva
