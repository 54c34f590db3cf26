#include "ui/FileDialog_win.h"

#include <commdlg.h>

#include <algorithm>

#include "base/Errors.h"
#include "base/Library_win.h"
#include "ui/Com_win.h"
#include "ui/FileDialogResult.h"
#include "ui/ModalLoop_win.h"

namespace vantrel {

namespace {

using FileNameFunction = BOOL(WINAPI*)(OPENFILENAMEA*);
using ExtendedErrorFunction = DWORD(WINAPI*)();

struct DialogLibrary {
  FileNameFunction open = nullptr;
  FileNameFunction save = nullptr;
  ExtendedErrorFunction extendedError = nullptr;
};

// Loaded once and kept until the program ends.
const DialogLibrary& Library() {
  static DialogLibrary library;
  if (library.open) return library;
  const HMODULE module = LoadSystemLibrary("comdlg32.dll");
  if (!module) throw AppError("Unable to load comdlg32.dll");
  library.open = LibraryFunction<FileNameFunction>(module, "GetOpenFileNameA");
  library.save = LibraryFunction<FileNameFunction>(module, "GetSaveFileNameA");
  library.extendedError = LibraryFunction<ExtendedErrorFunction>(module, "CommDlgExtendedError");
  if (!library.open || !library.save || !library.extendedError) {
    library = {};
    throw AppError("Unable to load comdlg32.dll");
  }
  return library;
}

// Runs the dialog on `buffer`; false when it was cancelled. It opens in the
// folder of the request's initial path, with that file's name in the name box
// when `preselect`. An initial path the dialog refuses (a name no file can
// have, one longer than a path may be) is dropped and the dialog opens as it
// would without one, so a stored path can never keep it from opening.
bool Run(const FileDialogRequest& request, bool save, DWORD extraFlags, bool preselect,
         std::string& buffer) {
  const DialogLibrary& library = Library();
  EnsureComApartment();
  std::string filter = request.filter + '|';
  std::replace(filter.begin(), filter.end(), '|', '\0');
  const std::string& initial = request.initialPath;
  const bool usable = !initial.empty() && initial.size() < MAX_PATH;
  const std::size_t slash = initial.find_last_of('\\');
  const std::string folder = usable && slash != std::string::npos ? initial.substr(0, slash + 1) : "";
  for (const bool withInitial : {usable, false}) {
    std::fill(buffer.begin(), buffer.end(), '\0');
    if (withInitial && preselect) initial.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = withInitial && !folder.empty() ? folder.c_str() : nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | extraFlags;
    ModalLoopSeen();  // the dialog's loop runs the timers that read the controller
    if ((save ? library.save : library.open)(&ofn)) return true;
    const DWORD error = library.extendedError();
    if (error == 0) return false;
    if (!withInitial)
      throw AppError("The file dialog failed (error " + std::to_string(error) + ")");
  }
  return false;
}

}  // namespace

std::optional<std::string> AskOpenFile(const FileDialogRequest& request) {
  std::string buffer(4096, '\0');
  if (!Run(request, false, 0, true, buffer)) return std::nullopt;
  return std::string(buffer.c_str());
}

std::optional<std::string> AskSaveFile(const FileDialogRequest& request) {
  std::string buffer(4096, '\0');
  if (!Run(request, true, 0, true, buffer)) return std::nullopt;
  return std::string(buffer.c_str());
}

std::vector<std::string> AskOpenFiles(const FileDialogRequest& request) {
  // Room for a full list of profiles with long paths. The initial path only
  // names the folder: a name in the box would be added once more.
  std::string buffer(256 * 1024, '\0');
  if (!Run(request, false, OFN_ALLOWMULTISELECT, false, buffer)) return {};
  return SplitFileDialogResult(buffer);
}

}  // namespace vantrel
