#pragma once

#include "records/subject_filter.h"

class QWidget;

namespace morva {

class SubjectStore;

// Exports the subjects of the store that pass the filter for research: asks for the file, its
// format and whether names go with it, shows the progress of a long export with a way to stop
// it, and tells how it ended.
void RunResearchExport(QWidget *owner, SubjectStore &store, const SubjectFilter &filter);

} // namespace morva
