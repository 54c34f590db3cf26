#pragma once
#include <string>

#include "bindings/Binding.h"
#include "bindings/RowView.h"

namespace vantrel {

// Writes the table to the profile at `path`. The new file is built beside the
// target, starting from a copy of the old one so that its other sections
// survive, and replaces it in one step: a refused write reports "Unable to
// write to <path>" and leaves the old file as it was.
void SaveProfileFile(const BindingTable& table, const std::string& path, bool recordAsLast = true);

// Reads the profile at `path` into the table (see LoadIni). Both end by
// recording `path` as the settings file's Path, unless `recordAsLast` is
// false (a rule's profile is never the one the next start loads). A path too
// long to name a file (only a hand-edited file holds one) is refused by a
// save and loads nothing.
void LoadProfileFile(BindingTable& table, const std::string& path, int skipEntry, RowView* rows,
                     bool recordAsLast = true);

}  // namespace vantrel
