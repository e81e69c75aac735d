#include "export/research_export.h"

#include "export/export_writer.h"
#include "records/data_error.h"
#include "records/subject_store.h"

namespace morva {
namespace {

// How many rows pass between two reports of progress.
constexpr qint64 kReportEvery = 250;

std::unique_ptr<ExportWriter> NewWriter(const ExportRequest &request, const QList<ExportColumn> &columns)
{
    switch (request.format) {
    case ExportFormat::Csv:
        return NewCsvWriter(request.path, columns);
    case ExportFormat::Xlsx:
        return NewXlsxWriter(request.path, columns);
    case ExportFormat::Sav:
        return NewSavWriter(request.path, columns);
    }
    return nullptr;
}

} // namespace

ExportOutcome ExportSubjects(SubjectStore &store, const ExportRequest &request, const ExportProgress &progress)
{
    using Result = ExportOutcome::Result;
    try {
        const QList<ExportColumn> columns = ExportColumns(request.withNames);
        const std::unique_ptr<ExportWriter> writer = NewWriter(request, columns);
        const int passes = writer->measuresFirst() ? 2 : 1;
        const qint64 total = store.count(request.filter) * passes;
        qint64 done = 0;
        bool stopped = !progress(0, total);
        ExportRow row;
        const auto pass = [&](const std::function<bool(const ExportRow &)> &use) {
            store.forEach(request.filter, [&](const SubjectWithAnswers &subject) {
                FillExportRow(subject, request.withNames, row);
                if (!use(row))
                    return false;
                if (++done % kReportEvery == 0)
                    stopped = !progress(done, total);
                return !stopped;
            });
        };
        if (passes == 2 && !stopped)
            pass([&](const ExportRow &r) { writer->measure(r); return true; });
        if (!stopped)
            pass([&](const ExportRow &r) { return writer->write(r); });
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
