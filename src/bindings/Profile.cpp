#include "bindings/Profile.h"

#include <algorithm>

namespace vantrel {

namespace {

const std::string kBind = "Bind";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

void SaveIni(const BindingTable& table, IniFile& profile) {
  profile.EraseSection(kBind);
  for (int e = 1; e <= table.EntryCount(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    const Binding& b = table[entry];
    // The hat's and the other axes' entries are written only when bound: a
    // profile that binds none of them is saved key for key as it always was.
    if (table.IsExtra(e) && b.Action == ActNone) continue;
    const std::string p = table.Prefix(entry);
    WriteInteger(profile, kBind, p + ".Action", b.Action);
    switch (b.Action) {
      case ActChangeIni:
        WriteInteger(profile, kBind, p + ".INI.Count", b.INICount);
        for (std::size_t j = 0; j < b.INI.size(); ++j)
          profile.WriteString(kBind, p + ".INI" + std::to_string(j), b.INI[j]);
        break;
      case ActEmulKey:
        WriteInteger(profile, kBind, p + ".VCode", b.VCode);
        WriteInteger(profile, kBind, p + ".Shift", b.Shift);
        WriteBool(profile, kBind, p + ".Turbo", b.Turbo);
        break;
      case ActEmulClick:
        WriteInteger(profile, kBind, p + ".MButton", b.VCode);
        break;
      case ActRun:
        profile.WriteString(kBind, p + ".Execute", b.Execute);
        break;
      default:
        break;
    }
  }
}

void LoadIni(BindingTable& table, IniFile& profile, int skipEntry, RowView* rows) {
  const int skip = skipEntry & 0xFF;
  for (int e = 1; e <= table.EntryCount(); ++e) {
    if (e == skip) continue;
    const auto entry = static_cast<std::uint8_t>(e);
    const std::string p = table.Prefix(entry);
    Binding& b = table[entry];
    b.Action = static_cast<std::uint8_t>(ReadInteger(profile, kBind, p + ".Action", 0));
    table.ClearFields(entry);
    switch (b.Action) {
      case ActChangeIni: {
        const int count = ReadInteger(profile, kBind, p + ".INI.Count", 0) & 0xFFFF;
        // The list is indexed by a byte; a larger count reads what fits.
        b.INI.resize(static_cast<std::size_t>(std::min(count, kMaxListPaths)));
        b.INICount = static_cast<std::uint16_t>(b.INI.size());
        for (std::size_t j = 0; j < b.INI.size(); ++j)
          b.INI[j] = profile.ReadString(kBind, p + ".INI" + std::to_string(j), "");
        break;
      }
      case ActEmulKey:
        b.VCode = static_cast<std::uint16_t>(ReadInteger(profile, kBind, p + ".VCode", 0));
        b.Shift = static_cast<std::uint16_t>(ReadInteger(profile, kBind, p + ".Shift", 0));
        b.Turbo = ReadBool(profile, kBind, p + ".Turbo", false);
        break;
      case ActEmulClick:
        b.VCode = static_cast<std::uint16_t>(ReadInteger(profile, kBind, p + ".MButton", 0));
        break;
      case ActRun:
        b.Execute = profile.ReadString(kBind, p + ".Execute", "");
        break;
      default:
        break;
    }
    if (rows) ShowBinding(table, entry, *rows);
  }
  // A stick made a pointer by an entry read after its other directions:
  // their rows say so too.
  if (rows)
    for (int e = table.NumOfButtons() + 1; e <= table.EntryCount(); ++e)
      if (table.PointerOwns(e)) rows->SetRowText(static_cast<std::uint8_t>(e), table.ActToStr(static_cast<std::uint8_t>(e)));
}

void ShowBinding(const BindingTable& table, std::uint8_t entry, RowView& rows) {
  const Binding& b = table[entry];
  switch (b.Action) {
    case ActNone: rows.SetTurboEnabled(entry, true); break;
    case ActEmulKey:
      rows.SetTurboEnabled(entry, true);
      rows.SetTurboChecked(entry, b.Turbo);
      break;
    case ActChangeIni:
    case ActEmulClick:
    case ActRun: rows.SetTurboEnabled(entry, false); break;
    default: break;  // an unknown kind keeps its box as it is
  }
  rows.SetRowText(entry, table.ActToStr(entry));
}

void RecordLastProfile(IniFile& settings, const std::string& profilePath) {
  if (EndsWith(profilePath, ".tmp")) return;
  if (settings.ReadString("Setup", "Path", "") == profilePath) return;
  settings.WriteString("Setup", "Path", profilePath);
}

std::string WithIniExtension(std::string path) {
  if (!EndsWith(path, ".ini")) path += ".ini";
  return path;
}

}  // namespace vantrel
