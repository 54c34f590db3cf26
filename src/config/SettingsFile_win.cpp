#include "config/SettingsFile_win.h"

#include <windows.h>

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

}  // namespace

const std::string& SettingsFile() { return SettingsFileSlot(); }
void SetSettingsFile(std::string path) { SettingsFileSlot() = std::move(path); }

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

bool ReadAutorun(const AutorunEntry& entry) {
  RegKey key;
  if (RegOpenKeyExA(Root(entry), entry.key.c_str(), 0, KEY_READ, &key.handle) != ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.handle, entry.value.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  std::string data(size + 1, '\0');
  if (RegQueryValueExA(key.handle, entry.value.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return false;
  return data[0] != '\0';
}

void WriteAutorun(const AutorunEntry& entry, const std::string& command) {
  RegKey key;
  if (RegCreateKeyExA(Root(entry), entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key.handle, nullptr) != ERROR_SUCCESS)
    throw AppError("Failed to create key " + entry.key);
  if (RegSetValueExA(key.handle, entry.value.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1)) != ERROR_SUCCESS)
    throw AppError("Failed to set data for '" + entry.value + "'");
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
