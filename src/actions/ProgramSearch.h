#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Where a Run entry's bare program name ("notepad.exe") is looked for, in
// order: the system folder, the Windows folder, then each folder of the PATH
// variable (`pathVariable`, folders apart by ';', a quoted one may hold ';').
// Never the program's own folder nor the current one: Vantrel is portable and
// often unzipped into Downloads, where anything may lie beside it. So a
// folder that is not a full path ("", ".", "bin", "C:tools", "\tools"), which
// would be taken from the current folder or drive, is passed over. Returns
// the file each folder would hold under `name`.
std::vector<std::string> ProgramCandidates(std::string_view name, std::string_view systemFolder,
                                           std::string_view windowsFolder,
                                           std::string_view pathVariable);

}  // namespace vantrel
