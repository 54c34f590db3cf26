#include "app/SingleInstance_win.h"

#include "app/InstanceName.h"
#include "base/IniFile_win.h"

namespace vantrel {

namespace {

// How long a later copy waits for a first copy that is ending.
constexpr ULONGLONG kHandOverMs = 5000;

// The folder's final path, as the file system names it: a short name, a
// subst or mapped drive and any letter case lead to the same one. Empty
// when the folder will not say.
std::string FinalFolder(const std::string& folder) {
  const HANDLE handle = CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::string path = AnsweredPath([&](char* buffer, DWORD size) {
    return GetFinalPathNameByHandleA(handle, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  CloseHandle(handle);
  return path;
}

// The settings file by its folder's identity rather than by the path the
// program was started by. Its own name stays as spelled (the executable's
// long name, .exe replaced), in capitals of the system's code page.
std::string KnownSettingsPath(const std::string& settingsPath) {
  const auto cut = settingsPath.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? "." : settingsPath.substr(0, cut + 1);
  const std::string name = settingsPath.substr(cut == std::string::npos ? 0 : cut + 1);
  const std::string known = FinalFolder(folder);
  std::string path = PathInFolder(known.empty() ? folder : known, name);
  CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
  return path;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& settingsPath) {
  const std::string name = "Local\\" + InstanceName(KnownSettingsPath(settingsPath));
  // The first copy owns the mutex until it has ended, so that a later copy
  // can tell a copy that is ending from one that runs.
  mutex_ = CreateMutexA(nullptr, TRUE, name.c_str());
  // Without the mutex (a failure the system does not explain) the program
  // runs as if it were the only copy rather than not at all.
  first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(std::uint64_t), (name + "-window").c_str());
  if (mapping_)
    window_ = static_cast<volatile std::uint64_t*>(
        MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(std::uint64_t)));
}

SingleInstance::~SingleInstance() {
  if (window_) {
    if (first_) *window_ = 0;
    UnmapViewOfFile(const_cast<std::uint64_t*>(window_));
  }
  if (mapping_) CloseHandle(mapping_);
  if (mutex_) {
    // Only after the window is withdrawn: the copy that takes over publishes its own.
    if (first_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
}

void SingleInstance::Publish(HWND mainWindow) {
  if (first_ && window_) *window_ = reinterpret_cast<std::uintptr_t>(mainWindow);
}

bool SingleInstance::TakeOverFromFirst() {
  const ULONGLONG end = GetTickCount64() + kHandOverMs;
  do {
    // A first copy that is still starting has not published its window yet.
    const auto main =
        window_ ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*window_)) : nullptr;
    if (main && IsWindow(main) && BringForward(main)) return false;
    // A first copy that is ending lets go of the mutex (or, ended without a
    // word, abandons it).
    const DWORD got = WaitForSingleObject(mutex_, 20);
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) return first_ = true;
  } while (GetTickCount64() < end);
  return false;
}

bool SingleInstance::BringForward(HWND main) {
  // This copy was just started by the user, so it may hand the foreground on.
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(main, RegisterWindowMessageA(kRestoreMessage), 0, 0, SMTO_ABORTIFHUNG,
                             2000, &answer) != 0;
}

}  // namespace vantrel
