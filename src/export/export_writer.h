#pragma once

#include "export/export_table.h"

#include <QString>

#include <memory>
#include <optional>

namespace morva {

// Writes the rows of an export to a file in one format. Nothing at the path is replaced until
// finish() succeeds; a writer dropped before that leaves no file behind.
class ExportWriter {
public:
    virtual ~ExportWriter() = default;

    // False once the file has failed: the rest is of no use.
    virtual bool write(const ExportRow &row) = 0;
    // The file takes its place; the system's words when anything failed.
    virtual std::optional<QString> finish() = 0;
};

std::unique_ptr<ExportWriter> NewCsvWriter(const QString &path, const QList<ExportColumn> &columns);
std::unique_ptr<ExportWriter> NewXlsxWriter(const QString &path, const QList<ExportColumn> &columns);
// The file's header holds the row count and each text's width: the outline gives them.
std::unique_ptr<ExportWriter> NewSavWriter(const QString &path, const QList<ExportColumn> &columns,
                                           const ExportOutline &outline);

} // namespace morva
