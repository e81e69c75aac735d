#pragma once

#include "records/subject_stream.h"

#include <optional>

class QWidget;

namespace morva {

// Exports the subjects that pass the filter (every subject without one) from the subjects file
// at subjectsPath for research: asks for the file, its format and whether names go with it,
// shows the progress of a long export with a way to stop it, and tells how it ended.
void RunResearchExport(QWidget *owner, const QString &subjectsPath, const std::optional<SubjectFilter> &filter);

} // namespace morva
