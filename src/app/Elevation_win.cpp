#include "app/Elevation_win.h"

#include <memory>
#include <type_traits>

#include "base/Library_win.h"
#include "bindings/Binding.h"

namespace vantrel {

namespace {

ElevationCheck elevationCheck = nullptr;

struct HandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using KernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleDeleter>;

// The limited right is all that elevated processes grant to others.
KernelHandle OpenForQuery(DWORD processId) {
  return KernelHandle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
}

// Vista and later.
using QueryImageNameFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);

std::string ImageName(DWORD processId) {
  static const auto query = LibraryFunction<QueryImageNameFunction>(
      GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA");
  if (!query) return {};
  const KernelHandle process = OpenForQuery(processId);
  if (!process) return {};
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!query(process.get(), 0, path, &size)) return {};
  return FileNamePart(std::string(path, size), "filename");
}

bool TokenElevated(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
  const KernelHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

}  // namespace

ProgramInFront ForegroundProgram() {
  ProgramInFront front;
  front.window = GetForegroundWindow();
  if (!front.window) return front;
  GetWindowThreadProcessId(front.window, &front.processId);
  front.name = ImageName(front.processId);
  if (front.name.empty()) {
    // Read from the window's own record, without a message: a program that
    // hangs cannot hold up the press.
    char title[256] = {};
    GetWindowTextA(front.window, title, sizeof title);
    front.name = title;
  }
  return front;
}

bool ProcessElevated(HWND window, DWORD processId) {
  if (elevationCheck) return elevationCheck(window, processId);
  if (processId == GetCurrentProcessId()) return TokenElevated(GetCurrentProcess());
  const KernelHandle process = OpenForQuery(processId);
  return process && TokenElevated(process.get());
}

void SetElevationCheck(ElevationCheck check) { elevationCheck = check; }

}  // namespace vantrel
