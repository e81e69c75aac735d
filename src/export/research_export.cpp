#include "export/research_export.h"

#include "export/export_writer.h"
#include "records/data_error.h"
#include "records/subject_store.h"

namespace morva {
namespace {

// How many rows pass between two reports of progress.
constexpr qint64 kReportEvery = 250;

// How many rows the request's file holds.
qint64 RowCount(SubjectStore &store, const ExportRequest &request)
{
    return request.rows == ExportRows::PerSession ? store.sessionsOutline(request.filter).sessions
                                                  : store.count(request.filter);
}

// The writer of the request's format, and how many rows it will be given.
std::unique_ptr<ExportWriter> NewWriter(SubjectStore &store, const ExportRequest &request,
                                        const QList<ExportColumn> &columns, qint64 &rows)
{
    switch (request.format) {
    case ExportFormat::Csv:
        rows = RowCount(store, request);
        return NewCsvWriter(request.path, columns);
    case ExportFormat::Xlsx:
        rows = RowCount(store, request);
        return NewXlsxWriter(request.path, columns);
    case ExportFormat::Sav: {
        // What the file's header needs is asked of the store, so that the rows are read once.
        const ExportOutline outline = OutlineExport(store, request.filter, columns, request.rows);
        rows = outline.rows;
        return NewSavWriter(request.path, columns, outline);
    }
    }
    return nullptr;
}

} // namespace

ExportOutcome ExportSubjects(SubjectStore &store, const ExportRequest &request, const ExportProgress &progress)
{
    using Result = ExportOutcome::Result;
    try {
        const QList<ExportColumn> columns = ExportColumns(request.withNames, request.rows);
        qint64 total = 0;
        std::unique_ptr<ExportWriter> writer;
        bool stopped = false;
        // The count and widths a file states first are those of the rows it then holds, whatever
        // another window or room registers or deletes meanwhile.
        store.readTogether([&] {
            writer = NewWriter(store, request, columns, total);
            qint64 done = 0;
            stopped = !progress(0, total);
            ExportRow row;
            if (stopped)
                return;
            const auto writeRow = [&](const auto &texts) {
                FillExportRow(texts, request.withNames, row);
                if (!writer->write(row))
                    return false;
                if (++done % kReportEvery == 0)
                    stopped = !progress(done, total);
                return !stopped;
            };
            if (request.rows == ExportRows::PerSession)
                store.forEachSession(request.filter, writeRow);
            else
                store.forEach(request.filter, writeRow);
        });
        if (stopped)
            return {Result::Stopped, {}};
        if (const std::optional<QString> error = writer->finish())
            return {Result::Failed, *error};
        progress(total, total);
        return {Result::Written, {}};
    } catch (const DataError &e) {
        return {Result::Failed, e.fullText()};
    }
}

} // namespace morva
