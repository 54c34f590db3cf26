#include "bindings/Profile.h"

#include <algorithm>

namespace vantrel {

namespace {

const std::string kBind = "Bind";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

namespace {

// One entry's keys: its kind, and the keys of that kind.
void WriteEntry(IniFile& profile, const std::string& section, const std::string& p,
                const Binding& b) {
  WriteInteger(profile, section, p + ".Action", b.Action);
  switch (b.Action) {
    case ActChangeIni:
      WriteInteger(profile, section, p + ".INI.Count", b.INICount);
      for (std::size_t j = 0; j < b.INI.size(); ++j)
        profile.WriteString(section, p + ".INI" + std::to_string(j), b.INI[j]);
      break;
    case ActEmulKey:
      WriteInteger(profile, section, p + ".VCode", b.VCode);
      WriteInteger(profile, section, p + ".Shift", b.Shift);
      WriteBool(profile, section, p + ".Turbo", b.Turbo);
      break;
    case ActEmulClick: WriteInteger(profile, section, p + ".MButton", b.VCode); break;
    case ActRun: profile.WriteString(section, p + ".Execute", b.Execute); break;
    case ActLayer:
      WriteInteger(profile, section, p + ".Layer", b.Layer);
      WriteInteger(profile, section, p + ".LayerMode", b.LayerMode);
      break;
    default: break;
  }
}

Binding ReadEntry(IniFile& profile, const std::string& section, const std::string& p) {
  Binding b;
  b.Action = static_cast<std::uint8_t>(ReadInteger(profile, section, p + ".Action", 0));
  switch (b.Action) {
    case ActChangeIni: {
      const int count = ReadInteger(profile, section, p + ".INI.Count", 0) & 0xFFFF;
      // The list is indexed by a byte; a larger count reads what fits.
      b.INI.resize(static_cast<std::size_t>(std::min(count, kMaxListPaths)));
      b.INICount = static_cast<std::uint16_t>(b.INI.size());
      for (std::size_t j = 0; j < b.INI.size(); ++j)
        b.INI[j] = profile.ReadString(section, p + ".INI" + std::to_string(j), "");
      break;
    }
    case ActEmulKey:
      b.VCode = static_cast<std::uint16_t>(ReadInteger(profile, section, p + ".VCode", 0));
      b.Shift = static_cast<std::uint16_t>(ReadInteger(profile, section, p + ".Shift", 0));
      b.Turbo = ReadBool(profile, section, p + ".Turbo", false);
      break;
    case ActEmulClick:
      b.VCode = static_cast<std::uint16_t>(ReadInteger(profile, section, p + ".MButton", 0));
      break;
    case ActRun: b.Execute = profile.ReadString(section, p + ".Execute", ""); break;
    case ActLayer:
      // A layer out of range, or a mode no one knows, does nothing of its own.
      b.Layer = static_cast<std::uint8_t>(
          std::clamp(ReadInteger(profile, section, p + ".Layer", 0), 0, kLayers));
      b.LayerMode = static_cast<std::uint8_t>(
          std::clamp(ReadInteger(profile, section, p + ".LayerMode", LayerHold), 0, 3));
      break;
    default: break;
  }
  return b;
}

std::string LayerSection(int layer) { return "Layer" + std::to_string(layer); }
const std::string kLayersSection = "Layers";
// What a missing key reads as, which no stored value is.
const std::string kAbsent = std::string(1, '\x01');

// An entry the layer has no key of is one it lets the layers below decide.
// The section is read whole where the file allows: most layers are empty,
// and a read of each key of each layer would make a switch slow.
void ReadLayer(BindingTable& table, IniFile& profile, int n, int skip) {
  const std::string section = LayerSection(n);
  const std::optional<IniKeys> whole = profile.ReadSection(section);
  std::optional<SectionKeys> keys;
  if (whole) keys.emplace(*whole);
  IniFile& from = keys ? static_cast<IniFile&>(*keys) : profile;
  for (int e = 1; e <= table.EntryCount(); ++e) {
    if (e == skip) continue;
    const auto entry = static_cast<std::uint8_t>(e);
    std::optional<Binding>& b = table.InLayer(n, entry);
    b.reset();
    if (whole && whole->empty()) continue;
    const std::string p = table.Prefix(entry);
    if (from.ReadString(section, p + ".Action", kAbsent) != kAbsent)
      b = ReadEntry(from, section, p);
  }
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
    WriteEntry(profile, kBind, table.Prefix(entry), b);
  }
  // A layer's entry only where it binds or blocks: a profile without
  // layers gets no section of them at all.
  for (int n = 1; n <= kLayers; ++n) {
    const std::string section = LayerSection(n);
    profile.EraseSection(section);
    for (int e = 1; e <= table.EntryCount(); ++e) {
      const auto entry = static_cast<std::uint8_t>(e);
      if (const std::optional<Binding>& b = table.InLayer(n, entry))
        WriteEntry(profile, section, table.Prefix(entry), *b);
    }
  }
  profile.EraseSection(kLayersSection);
  for (int n = 1; n <= kLayers; ++n) {
    const std::string& name = table.LayerNames[static_cast<std::size_t>(n - 1)];
    if (!name.empty()) profile.WriteString(kLayersSection, "Name" + std::to_string(n), name);
  }
}

void LoadIni(BindingTable& table, IniFile& profile, int skipEntry, RowView* rows) {
  const int skip = skipEntry & 0xFF;
  for (int e = 1; e <= table.EntryCount(); ++e) {
    if (e == skip) continue;
    const auto entry = static_cast<std::uint8_t>(e);
    table[entry] = ReadEntry(profile, kBind, table.Prefix(entry));
    if (rows) ShowBinding(table, entry, *rows);
  }
  for (int n = 1; n <= kLayers; ++n) ReadLayer(table, profile, n, skip);
  const std::optional<IniKeys> names = profile.ReadSection(kLayersSection);
  for (int n = 1; n <= kLayers; ++n) {
    const std::string key = "Name" + std::to_string(n);
    table.LayerNames[static_cast<std::size_t>(n - 1)] =
        names ? SectionKeys(*names).ReadString(kLayersSection, key, "")
              : profile.ReadString(kLayersSection, key, "");
  }
  // A stick made a pointer by an entry read after its other directions:
  // their rows say so too.
  if (rows)
    for (int e = table.NumOfButtons() + 1; e <= table.EntryCount(); ++e)
      if (table.PointerOwns(e))
        rows->SetRowText(static_cast<std::uint8_t>(e),
                         table.ActToStr(static_cast<std::uint8_t>(e)));
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
