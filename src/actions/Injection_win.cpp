#include "actions/Injection_win.h"

#include <windows.h>

#include <optional>

#include "actions/ProgramSearch.h"
#include "actions/RunEntry.h"
#include "base/SystemFunctions_win.h"
#include "bindings/Binding.h"
#include "ui/Com_win.h"

namespace vantrel {

bool PlatformInput::SendKeys(std::span<const KeyStroke> strokes) {
  INPUT inputs[4] = {};
  if (strokes.empty() || strokes.size() > std::size(inputs)) return strokes.empty();
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = strokes[i].vk;
    inputs[i].ki.wScan = strokes[i].scan;
    inputs[i].ki.dwFlags = strokes[i].flags;
  }
  const auto count = static_cast<UINT>(strokes.size());
  return SendInput(count, inputs, sizeof(INPUT)) == count;
}

std::uint8_t PlatformInput::ScanCode(std::uint8_t vk) {
  // Looked up once per key and keyboard layout: the lookup asks the system,
  // which would delay every key sent.
  const HKL layout = GetKeyboardLayout(0);
  if (layout != layout_) {
    layout_ = layout;
    known_.reset();
  }
  if (!known_.test(vk)) {
    // Without the prefix, which the extended flag carries instead.
    scans_[vk] = static_cast<std::uint8_t>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF);
    known_.set(vk);
  }
  return scans_[vk];
}

bool PlatformInput::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                               std::int32_t data) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.mouseData = static_cast<DWORD>(data);
  input.mi.dwFlags = flags;
  return SendInput(1, &input, sizeof input) == 1;
}

namespace {

// A folder the system gives, or "" when it gives none.
std::string SystemFolder(UINT(WINAPI* get)(LPSTR, UINT)) {
  char folder[MAX_PATH] = {};
  const UINT length = get(folder, sizeof folder);
  return length == 0 || length >= sizeof folder ? std::string() : std::string(folder, length);
}

std::string PathVariable() {
  const DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
  if (size == 0) return {};
  std::string path(size, '\0');
  const DWORD length = GetEnvironmentVariableA("PATH", path.data(), size);
  path.resize(length < size ? length : 0);
  return path;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file a Run entry's program part names: a path as it stands, a bare
// name where the system keeps its programs (see ProgramCandidates), never
// beside this program.
std::optional<std::string> ResolveProgram(const std::string& candidate) {
  if (candidate.find_first_of("\\/:") != std::string::npos)
    return IsFile(candidate) ? std::optional<std::string>(candidate) : std::nullopt;
  for (const std::string& file :
       ProgramCandidates(candidate, SystemFolder(GetSystemDirectoryA),
                         SystemFolder(GetSystemWindowsDirectoryA), PathVariable()))
    if (IsFile(file)) return file;
  return std::nullopt;
}

}  // namespace

void LaunchProgram(const std::string& entry, HWND owner) {
  // Started by the shell as the file it is (which also starts shortcuts and
  // batch files), in its own folder. An entry that names no program starts
  // nothing, and the press just has no effect.
  const std::optional<RunCommand> command = ParseRunEntry(entry, ResolveProgram);
  if (!command) return;
  const std::string folder = FileNamePart(command->program, "path");
  EnsureComApartment();
  // "open", never "runas": the program gets this one's rights, and asks for
  // more only if its own manifest does.
  sys::ShellExecuteA(owner, "open", command->program.c_str(),
                     command->arguments.empty() ? nullptr : command->arguments.c_str(),
                     folder.empty() ? nullptr : folder.c_str(), SW_SHOW);
}

}  // namespace vantrel
