#include "ui/FileDialog_win.h"

#include <commdlg.h>

#include <algorithm>

#include "base/Errors.h"
#include "base/Library_win.h"
#include "ui/Com_win.h"
#include "ui/FileDialogResult.h"

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

// Runs the dialog on `buffer`; false when it was cancelled.
bool Run(const FileDialogRequest& request, bool save, DWORD extraFlags, std::string& buffer) {
  const DialogLibrary& library = Library();
  EnsureComApartment();
  std::string filter = request.filter + '|';
  std::replace(filter.begin(), filter.end(), '|', '\0');
  request.initialPath.copy(buffer.data(), buffer.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | extraFlags;
  if ((save ? library.save : library.open)(&ofn)) return true;
  if (const DWORD error = library.extendedError())
    throw AppError("The file dialog failed (error " + std::to_string(error) + ")");
  return false;
}

}  // namespace

std::optional<std::string> AskOpenFile(const FileDialogRequest& request) {
  std::string buffer(4096, '\0');
  if (!Run(request, false, 0, buffer)) return std::nullopt;
  return std::string(buffer.c_str());
}

std::optional<std::string> AskSaveFile(const FileDialogRequest& request) {
  std::string buffer(4096, '\0');
  if (!Run(request, true, 0, buffer)) return std::nullopt;
  return std::string(buffer.c_str());
}

std::vector<std::string> AskOpenFiles(const FileDialogRequest& request) {
  // Room for a full list of profiles with long paths.
  std::string buffer(256 * 1024, '\0');
  if (!Run(request, false, OFN_ALLOWMULTISELECT, buffer)) return {};
  return SplitFileDialogResult(buffer);
}

}  // namespace vantrel
