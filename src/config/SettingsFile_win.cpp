#include "config/SettingsFile_win.h"

#include <windows.h>

#include <cstring>

#include "base/Errors.h"
#include "base/IniFile_win.h"
#include "config/Paths.h"

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
  PrivateProfile file(path);
  WriteSettings(file, settings, UserDecimalSeparator());
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

// Writes the value; false when the registry refuses it for lack of rights,
// an AppError for any other failure.
AutorunWriteCheck writeCheck = nullptr;

bool TryWriteAutorun(const AutorunEntry& entry, const std::string& command) {
  RegKey key;
  LONG created = writeCheck ? writeCheck(entry) : ERROR_SUCCESS;
  if (created == ERROR_SUCCESS)
    created = RegCreateKeyExA(Root(entry), entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key.handle, nullptr);
  if (created == ERROR_ACCESS_DENIED) return false;
  if (created != ERROR_SUCCESS) throw AppError("Failed to create key " + entry.key);
  const LONG set = RegSetValueExA(key.handle, entry.value.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(command.c_str()),
                                  static_cast<DWORD>(command.size() + 1));
  if (set == ERROR_ACCESS_DENIED) return false;
  if (set != ERROR_SUCCESS) throw AppError("Failed to set data for '" + entry.value + "'");
  return true;
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
  if (!TryWriteAutorun(entry, command)) throw AppError("Failed to create key " + entry.key);
}

void TurnAutorunOn(const AutorunEntries& entries, const std::string& command) {
  if (!TryWriteAutorun(entries.machine, command)) WriteAutorun(entries.user, command);
}

void TurnAutorunOff(const AutorunEntries& entries) {
  DeleteAutorun(entries.machine);
  DeleteAutorun(entries.user);
}

bool AutorunSet(const AutorunEntries& entries) {
  return ReadAutorun(entries.machine) || ReadAutorun(entries.user);
}

void RefreshAutorun(const AutorunEntries& entries, const std::string& command) {
  if (ReadAutorunValue(entries.machine) != command && ReadAutorunValue(entries.user) != command)
    TurnAutorunOn(entries, command);
}

void DeleteAutorun(const AutorunEntry& entry) {
  RegKey key;
  if (RegOpenKeyExA(Root(entry), entry.key.c_str(), 0, KEY_ALL_ACCESS, &key.handle) !=
      ERROR_SUCCESS)
    return;
  RegDeleteValueA(key.handle, entry.value.c_str());
}

std::string AutorunCommand(const std::string& exePath) { return "\"" + exePath + "\""; }

}  // namespace vantrel
