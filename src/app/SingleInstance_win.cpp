#include "app/SingleInstance_win.h"

#include "app/InstanceName.h"

namespace vantrel {

SingleInstance::SingleInstance(const std::string& settingsPath) {
  const std::string name = "Local\\" + InstanceName(settingsPath);
  mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
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
  if (mutex_) CloseHandle(mutex_);
}

void SingleInstance::Publish(HWND mainWindow) {
  if (first_ && window_) *window_ = reinterpret_cast<std::uintptr_t>(mainWindow);
}

bool SingleInstance::ActivateFirst() const {
  if (!window_) return false;
  HWND main = nullptr;
  for (int i = 0; i < 100 && !main; ++i) {
    main = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*window_));
    if (!main) Sleep(20);
  }
  if (!main || !IsWindow(main)) return false;
  // This copy was just started by the user, so it may hand the foreground on.
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(main, RegisterWindowMessageA(kRestoreMessage), 0, 0, SMTO_ABORTIFHUNG,
                             2000, &answer) != 0;
}

}  // namespace vantrel
