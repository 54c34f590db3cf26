#pragma once
#include <windows.h>

#include <string>

namespace vantrel {

// The file name of a process's executable ("game.exe"), or an empty text
// where the process will not say.
std::string ProgramFileName(DWORD processId);

}  // namespace vantrel
