#include "base/Process_win.h"

#include "base/KernelHandle_win.h"
#include "base/Library_win.h"

namespace vantrel {

namespace {
// Vista and later.
using QueryImageNameFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
}  // namespace

std::string ProgramFileName(DWORD processId) {
  static const auto query = LibraryFunction<QueryImageNameFunction>(
      GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA");
  if (!query) return {};
  const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!query(process.get(), 0, path, &size)) return {};
  const std::string full(path, size);
  const auto slash = full.find_last_of("\\/");
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

}  // namespace vantrel
