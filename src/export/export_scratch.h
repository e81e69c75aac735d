#pragma once

#include <QString>

namespace morva {

// The template of a folder for an export's files in the making (a QTemporaryDir): in the data
// folder, which is the working directory, rather than the system's shared temporary folder; the
// folder is readable by its owner only, and its name tells that it is ours.
QString ExportScratchTemplate();

// Removes the scratch folders that exports killed part-way left in the data folder. Only at the
// start, once no other instance of the program can be exporting.
void RemoveExportLeftovers();

} // namespace morva
