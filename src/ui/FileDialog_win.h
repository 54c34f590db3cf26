#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The common file dialogs. The library behind them is loaded when the first
// one opens, not at start-up: a file dialog is opened rarely. A library that
// cannot be loaded, or a dialog that fails, is reported as an AppError; a
// cancelled dialog gives nothing.
//
// `filter` is written "Description|*.a;*.b" (pairs separated by '|').
struct FileDialogRequest {
  HWND owner = nullptr;
  std::string filter;
  std::string initialPath;  // opens in this file's folder, naming it (one file at a time)
};

std::optional<std::string> AskOpenFile(const FileDialogRequest& request);
std::optional<std::string> AskSaveFile(const FileDialogRequest& request);
// Several files at once, in the order the dialog returns them.
std::vector<std::string> AskOpenFiles(const FileDialogRequest& request);

}  // namespace vantrel
