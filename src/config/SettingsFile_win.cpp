#include "config/SettingsFile_win.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/Errors.h"
#include "base/FilePath.h"
#include "base/IniFile_win.h"
#include "config/IniReplacement_win.h"
#include "config/Paths.h"
#include "config/ProgramsSection.h"

namespace vantrel {

namespace {

HKEY Root(const AutorunEntry& entry) { return static_cast<HKEY>(entry.root); }

struct RegKey {
  HKEY handle = nullptr;
  ~RegKey() {
    if (handle) RegCloseKey(handle);
  }
};

std::string& SettingsFileSlot() {
  static std::string path = SettingsPathFor(ExePath());
  return path;
}

std::string& ScratchProfileSlot() {
  static std::string path = ScratchProfilePathFor(ExePath());
  return path;
}

}  // namespace

const std::string& SettingsFile() { return SettingsFileSlot(); }
void SetSettingsFile(std::string path) { SettingsFileSlot() = std::move(path); }
const std::string& ScratchProfile() { return ScratchProfileSlot(); }
void SetScratchProfile(std::string path) { ScratchProfileSlot() = std::move(path); }

char UserDecimalSeparator() {
  char text[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) < 2) return '.';
  return text[0];
}

Settings LoadSettingsFile(const std::string& path) {
  PrivateProfile file(path);
  return ReadSettings(file, UserDecimalSeparator());
}

void SaveSettingsFile(const std::string& path, const Settings& settings) {
  IniReplacement file(path);
  WriteSettings(file, settings, UserDecimalSeparator());
  file.Commit();
}

std::int32_t LoadMainHeight(const std::string& path) {
  PrivateProfile file(path);
  return ReadMainHeight(file);
}

void SaveMainHeight(const std::string& path, std::int32_t height) {
  IniReplacement file(path);
  RecordMainHeight(file, height);
  file.Commit();
}

std::vector<ProgramRule> ReadProgramRules(const std::string& path) {
  // The whole section in one read: a read of each key opens the file anew,
  // which for some thousands of rules takes seconds.
  PrivateProfile file(path);
  return RulesOfKeys(file.ReadSection("Programs").value_or(IniKeys{}));
}

void WriteProgramRules(const std::string& path, const std::vector<ProgramRule>& rules) {
  IniReplacement file(path);
  if (rules.empty())
    file.EraseSection("Programs");
  else
    file.WriteSection("Programs", ProgramsSectionText(rules));
  file.Commit();
}

AutorunEntry ProgramAutorun() {
  return {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "QEX"};
}

std::string ReadAutorunValue(const AutorunEntry& entry) {
  RegKey key;
  if (RegOpenKeyExA(Root(entry), entry.key.c_str(), 0, KEY_READ, &key.handle) != ERROR_SUCCESS)
    return {};
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.handle, entry.value.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::string data(size + 1, '\0');
  if (RegQueryValueExA(key.handle, entry.value.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return {};
  data.resize(std::strlen(data.c_str()));
  return data;
}

bool ReadAutorun(const AutorunEntry& entry) { return !ReadAutorunValue(entry).empty(); }

namespace {

AutorunWriteCheck writeCheck = nullptr;

// What the registry answers to one step: the test's stand-in first, when set.
template <class Call>
LONG Step(const AutorunEntry& entry, AutorunStep step, Call call) {
  const LONG checked = writeCheck ? writeCheck(entry, step) : ERROR_SUCCESS;
  return checked == ERROR_SUCCESS ? call() : checked;
}

AppError FailedTo(AutorunStep step, const AutorunEntry& entry) {
  if (step == AutorunStep::CreateKey) return AppError("Failed to create key " + entry.key);
  return AppError("Failed to set data for '" + entry.value + "'");
}

AutorunEntries& AutorunSlot() {
  static AutorunEntries entries{
      ProgramAutorun(),
      {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "QEX"}};
  return entries;
}

}  // namespace

void SetAutorunWriteCheck(AutorunWriteCheck check) { writeCheck = check; }

const AutorunEntries& ProgramAutoruns() { return AutorunSlot(); }
void SetProgramAutoruns(AutorunEntries entries) { AutorunSlot() = std::move(entries); }

void WriteAutorun(const AutorunEntry& entry, const std::string& command) {
  RegKey key;
  const LONG created = Step(entry, AutorunStep::CreateKey, [&] {
    return RegCreateKeyExA(Root(entry), entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_SET_VALUE, nullptr, &key.handle, nullptr);
  });
  if (created != ERROR_SUCCESS) throw FailedTo(AutorunStep::CreateKey, entry);
  const LONG set = Step(entry, AutorunStep::SetValue, [&] {
    return RegSetValueExA(key.handle, entry.value.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>(command.size() + 1));
  });
  if (set != ERROR_SUCCESS) throw FailedTo(AutorunStep::SetValue, entry);
}

// The machine-wide value would start, at every user's logon, whatever
// stands at the path: in a folder its user may write, a program any user
// could put there. Only the user's own is ever written.
void TurnAutorunOn(const AutorunEntries& entries, const std::string& command) {
  WriteAutorun(entries.user, command);
}

bool TurnAutorunOff(const AutorunEntries& entries) {
  const bool machineGone = DeleteAutorun(entries.machine);
  const bool userGone = DeleteAutorun(entries.user);
  return machineGone && userGone;
}

bool AutorunSet(const AutorunEntries& entries) {
  return ReadAutorun(entries.machine) || ReadAutorun(entries.user);
}

void RefreshAutorun(const AutorunEntries& entries, const std::string& command) {
  if (ReadAutorunValue(entries.machine) != command && ReadAutorunValue(entries.user) != command)
    WriteAutorun(entries.user, command);
}

bool DeleteAutorun(const AutorunEntry& entry) {
  RegKey key;
  const LONG answer = Step(entry, AutorunStep::DeleteValue, [&] {
    const LONG opened =
        RegOpenKeyExA(Root(entry), entry.key.c_str(), 0, KEY_SET_VALUE, &key.handle);
    return opened == ERROR_SUCCESS ? RegDeleteValueA(key.handle, entry.value.c_str()) : opened;
  });
  if (answer == ERROR_SUCCESS || answer == ERROR_FILE_NOT_FOUND) return true;
  // Refused: only a value that is set still starts the program.
  return !ReadAutorun(entry);
}

std::string AutorunCommand(const std::string& exePath) { return "\"" + exePath + "\""; }

}  // namespace vantrel
