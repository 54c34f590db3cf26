#pragma once
#include <string>

#include "config/Settings.h"

namespace vantrel {

// The settings file: beside the executable, with ".set" for ".exe". Tests
// point it elsewhere.
const std::string& SettingsFile();
void SetSettingsFile(std::string path);

// The decimal separator of the user's locale, which settings floats use.
char UserDecimalSeparator();

// The settings file through the private-profile functions. A refused write
// reports "Unable to write to <path>"; nothing in memory changes.
Settings LoadSettingsFile(const std::string& path);
void SaveSettingsFile(const std::string& path, const Settings& settings);

// The autorun entry: a string value under a Run key. The program's own is
// "QEX" under HKEY_LOCAL_MACHINE; tests point it elsewhere.
struct AutorunEntry {
  void* root;  // an HKEY
  std::string key;
  std::string value;
};
AutorunEntry ProgramAutorun();

// True when the value exists and holds a non-empty string; a key that cannot
// be opened reads as false.
bool ReadAutorun(const AutorunEntry& entry);
// Writes `command` as the value, creating the key when it is missing; throws
// "Failed to create key <key>" or "Failed to set data for '<value>'".
void WriteAutorun(const AutorunEntry& entry, const std::string& command);
// Removes the value; a key that cannot be opened changes nothing.
void DeleteAutorun(const AutorunEntry& entry);

// How the Run key starts the program: its path, quoted, so that a folder
// with spaces ("C:\Program Files\...") can never start another program.
std::string AutorunCommand(const std::string& exePath);

}  // namespace vantrel
