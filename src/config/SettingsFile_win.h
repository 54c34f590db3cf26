#pragma once
#include <string>

#include <vector>

#include "actions/ProgramRules.h"
#include "config/Settings.h"

namespace vantrel {

// The settings file: beside the executable, with ".set" for ".exe". Tests
// point it elsewhere.
const std::string& SettingsFile();
void SetSettingsFile(std::string path);

// The decimal separator of the user's locale, which settings floats use.
char UserDecimalSeparator();

// The settings file through the private-profile functions. Every write
// rewrites it whole (see IniReplacement): a refused one reports "Unable to
// write to <path>" and leaves the file as it was.
Settings LoadSettingsFile(const std::string& path);
void SaveSettingsFile(const std::string& path, const Settings& settings);
// [Setup]'s MainHeight alone (see ReadMainHeight), written as every write is.
std::int32_t LoadMainHeight(const std::string& path);
void SaveMainHeight(const std::string& path, std::int32_t height);

// The autorun entry: a string value "QEX" under a Run key. The machine-wide
// one, under HKEY_LOCAL_MACHINE, is where earlier versions wrote it.
struct AutorunEntry {
  void* root;  // an HKEY
  std::string key;
  std::string value;
};
AutorunEntry ProgramAutorun();

// Where the program's autorun value may stand: the user's own Run key, and
// the machine-wide one, which the program reads and removes but never
// writes. Tests point both elsewhere.
struct AutorunEntries {
  AutorunEntry machine;
  AutorunEntry user;
};
const AutorunEntries& ProgramAutoruns();
void SetProgramAutoruns(AutorunEntries entries);

// True when the value exists and holds a non-empty string; a key that cannot
// be opened reads as false.
bool ReadAutorun(const AutorunEntry& entry);
// Writes `command` as the value, creating the key when it is missing; throws
// "Failed to create key <key>" or "Failed to set data for '<value>'".
void WriteAutorun(const AutorunEntry& entry, const std::string& command);
// Removes the value: false when it is set and the registry refuses to let
// it go (it then still starts the program). A missing key holds no value.
bool DeleteAutorun(const AutorunEntry& entry);
// The string the value holds; empty when there is none.
std::string ReadAutorunValue(const AutorunEntry& entry);

// The autorun check box. Ticked: the user's value, whatever rights the
// program runs with; a failure throws as WriteAutorun does. Unticked: both
// values go; false when one of them is set and stays, as DeleteAutorun says.
void TurnAutorunOn(const AutorunEntries& entries, const std::string& command);
[[nodiscard]] bool TurnAutorunOff(const AutorunEntries& entries);
// Tests stand in for a registry that refuses a change (as a machine-wide key
// refuses a user without administrator rights): when set, the check is asked
// before each step of a write or a removal, and a non-zero answer is taken
// as the registry's.
enum class AutorunStep { CreateKey, SetValue, DeleteValue };
using AutorunWriteCheck = long (*)(const AutorunEntry& entry, AutorunStep step);
void SetAutorunWriteCheck(AutorunWriteCheck check);

// Whether either value is set (read with read access only).
bool AutorunSet(const AutorunEntries& entries);
// At start-up, with autorun on: only when neither value holds `command` (the
// program has moved) is the user's written again, so an unchanged entry
// costs no write access, and no error box at every start.
void RefreshAutorun(const AutorunEntries& entries, const std::string& command);

// The rules of section [Programs], one key per program ("game.exe=C:\P\game.ini"
// or "game.exe=off"), in the order of the file, however many. Writing them
// replaces that section alone, leaving [Setup] and every other as it is; a
// refused write reports "Unable to write to <path>" and leaves the file as
// it was.
std::vector<ProgramRule> ReadProgramRules(const std::string& path);
void WriteProgramRules(const std::string& path, const std::vector<ProgramRule>& rules);

// The scratch profile "qex.tmp" beside the executable, which keeps the
// bindings while the options window is open. Tests point it elsewhere.
const std::string& ScratchProfile();
void SetScratchProfile(std::string path);

// How the Run key starts the program: its path, quoted, so that a folder
// with spaces ("C:\Program Files\...") can never start another program.
std::string AutorunCommand(const std::string& exePath);

}  // namespace vantrel
