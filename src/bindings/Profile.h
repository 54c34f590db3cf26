#pragma once
#include <string>

#include "base/IniFile.h"
#include "bindings/Binding.h"
#include "bindings/RowView.h"

namespace vantrel {

// Profiles keep the whole table in section [Bind], key by key: prefix, a dot
// and a suffix (Button3.Action, Left.VCode). Only the keys of an entry's kind
// are written; other sections of the file are left alone.

// Erases [Bind] and writes every entry, in entry order.
void SaveIni(const BindingTable& table, IniFile& profile);

// Reads every entry except `skipEntry` (its low 8 bits; 0 excepts none) and
// updates each row's text and turbo box. A missing file or key reads as its
// default.
void LoadIni(BindingTable& table, IniFile& profile, int skipEntry, RowView* rows);

// An entry's row as a load leaves it: its text, and its turbo box enabled by
// kind (ticked from the binding for a key). Also for rows made after the
// load (those of controls a controller brings).
void ShowBinding(const BindingTable& table, std::uint8_t entry, RowView& rows);

// After a profile is loaded or saved, its path becomes the settings' Path,
// the profile the next start loads, unless it ends in ".tmp" (exactly: the
// scratch profile). A Path that already names it is not written again, so a
// program in a read-only folder starts without a refused write.
void RecordLastProfile(IniFile& settings, const std::string& profilePath);

// File/Save's rule: a path not ending in ".ini" (exactly) gets ".ini" appended.
std::string WithIniExtension(std::string path);

}  // namespace vantrel
