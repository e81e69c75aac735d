#pragma once

#include "export/export_table.h"
#include "records/subject_filter.h"

#include <QString>

#include <functional>
#include <optional>

namespace morva {

class SubjectStore;

enum class ExportFormat { Csv, Xlsx, Sav };

struct ExportRequest {
    QString path;
    ExportFormat format = ExportFormat::Csv;
    SubjectFilter filter;
    bool withNames = false;              // the first, last and beloved's names after the code
    ExportRows rows = ExportRows::PerSubject;
};

// Told how many of the total steps are done; returns false to stop the export. The last report
// (every step done) comes once the file is in place: it can no longer stop anything.
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

// What an export did with the file at the request's path.
struct ExportOutcome {
    enum class Result {
        Written, // the file is whole at the path; an earlier file there is replaced
        Stopped, // stopped by its progress before the path was touched
        Failed,  // the path is untouched; reason says why
    };
    Result result = Result::Failed;
    QString reason; // Failed: the system's words
};

// Writes the subjects of the request, in table order, with their answers, scores and love type,
// or each of their sessions with its own, to the request's path. The file appears only when it is whole: a stopped or failed export
// leaves whatever was at the path as it was. Only reads the store.
ExportOutcome ExportSubjects(SubjectStore &store, const ExportRequest &request, const ExportProgress &progress);

} // namespace morva
