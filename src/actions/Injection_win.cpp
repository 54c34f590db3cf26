#include "actions/Injection_win.h"

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <cstring>

#include "actions/Dispatch.h"
#include "bindings/Binding.h"
#include "ui/Com_win.h"

namespace vantrel {

void PlatformInput::KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
  keybd_event(vk, scan, flags, 0);
}

void PlatformInput::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                               std::int32_t data) {
  mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), 0);
}

void LaunchProgram(const std::string& command) {
  // The command is copied into a buffer of its own (600 characters and the
  // terminating zero); longer ones never get here.
  std::array<char, Dispatcher::kMaxCommand + 1> CommandBuffer{};
  if (command.size() >= CommandBuffer.size()) return;
  std::memcpy(CommandBuffer.data(), command.data(), command.size());

  const DWORD attributes = GetFileAttributesA(CommandBuffer.data());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const std::string folder = FileNamePart(command, "path");
    EnsureComApartment();
    ShellExecuteA(nullptr, "open", CommandBuffer.data(), nullptr,
                  folder.empty() ? nullptr : folder.c_str(), SW_SHOW);
    return;
  }
  // A failure to start is not reported: the press just has no effect.
  WinExec(CommandBuffer.data(), SW_SHOW);
}

}  // namespace vantrel
