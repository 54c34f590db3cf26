#include "bindings/Profile.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

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
  // The Hold and Double actions only when bound: a profile without them
  // is saved key for key as before.
  if (const Binding* hold = Bound(b.Hold)) WriteEntry(profile, section, p + ".Hold", *hold);
  if (const Binding* twice = Bound(b.Double)) WriteEntry(profile, section, p + ".Double", *twice);
}

Binding ReadEntry(IniFile& profile, const std::string& section, const std::string& p,
                  bool parts = true) {
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
  if (parts) {
    for (auto [part, actions] : {std::pair{".Hold", &b.Hold}, std::pair{".Double", &b.Double}}) {
      Binding bound = ReadEntry(profile, section, p + part, false);
      if (bound.Action != ActNone) actions->push_back(std::move(bound));
    }
  }
  return b;
}

std::string LayerSection(int layer) { return "Layer" + std::to_string(layer); }
const std::string kLayersSection = "Layers";
// What a missing key reads as, which no stored value is.
const std::string kAbsent = std::string(1, '\x01');

// A section read whole where the file allows, else key by key: a read of
// each key opens the file anew, and a profile has hundreds of them.
class Section {
 public:
  Section(IniFile& file, std::string name)
      : name(std::move(name)), whole_(file.ReadSection(this->name)), file_(file) {
    if (whole_) keys_.emplace(*whole_);
  }
  IniFile& Keys() { return keys_ ? static_cast<IniFile&>(*keys_) : file_; }
  // Known to hold no key at all.
  bool Empty() const { return whole_ && whole_->empty(); }
  const std::string name;

 private:
  std::optional<IniKeys> whole_;
  std::optional<SectionKeys> keys_;
  IniFile& file_;
};

// An entry the layer has no key of is one it lets the layers below decide.
void ReadLayer(BindingTable& table, IniFile& profile, int n, int skip) {
  Section section(profile, LayerSection(n));
  for (int e = 1; e <= table.EntryCount(); ++e) {
    if (e == skip) continue;
    const auto entry = static_cast<std::uint8_t>(e);
    std::optional<Binding>& b = table.InLayer(n, entry);
    b.reset();
    if (section.Empty()) continue;
    const std::string p = table.Prefix(entry);
    const bool written = section.Keys().ReadString(section.name, p + ".Action", kAbsent) != kAbsent ||
                         section.Keys().ReadString(section.name, p + ".Hold.Action", kAbsent) != kAbsent ||
                         section.Keys().ReadString(section.name, p + ".Double.Action", kAbsent) != kAbsent;
    if (written) b = ReadEntry(section.Keys(), section.name, p);
  }
}

const std::string kChordsSection = "Chords";

std::string ChordKey(std::size_t i) { return "Chord" + std::to_string(i + 1); }

// "Button5+Button6": two or three different entries of the table, by prefix.
std::optional<std::vector<std::uint8_t>> ChordEntries(const BindingTable& table,
                                                      std::string_view text) {
  std::vector<std::uint8_t> entries;
  while (!text.empty()) {
    const std::size_t plus = std::min(text.find('+'), text.size());
    const int e = table.EntryOf(text.substr(0, plus));
    if (e == 0 || entries.size() == kMaxChordEntries ||
        std::find(entries.begin(), entries.end(), e) != entries.end())
      return std::nullopt;
    entries.push_back(static_cast<std::uint8_t>(e));
    text.remove_prefix(std::min(plus + 1, text.size()));
  }
  if (entries.size() < 2) return std::nullopt;
  return entries;
}

void ReadChords(BindingTable& table, IniFile& profile) {
  table.Chords.clear();
  Section section(profile, kChordsSection);
  if (section.Empty()) return;
  for (std::size_t i = 0; i < kMaxChords; ++i) {
    const std::string key = ChordKey(i);
    // A chord of entries this table lacks waits in the file for a
    // controller that has them.
    if (auto entries = ChordEntries(table, section.Keys().ReadString(section.name, key, "")))
      table.Chords.push_back({std::move(*entries), ReadEntry(section.Keys(), section.name, key, false)});
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
    if (table.IsExtra(e) && b.Action == ActNone && !Waits(b)) continue;
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
  profile.EraseSection(kChordsSection);
  for (std::size_t i = 0; i < table.Chords.size() && i < kMaxChords; ++i) {
    const Chord& chord = table.Chords[i];
    std::string entries;
    for (const std::uint8_t e : chord.entries) entries += (entries.empty() ? "" : "+") + table.Prefix(e);
    profile.WriteString(kChordsSection, ChordKey(i), entries);
    WriteEntry(profile, kChordsSection, ChordKey(i), chord.action);
  }
}

void LoadIni(BindingTable& table, IniFile& profile, int skipEntry, RowView* rows) {
  const int skip = skipEntry & 0xFF;
  Section bind(profile, kBind);
  for (int e = 1; e <= table.EntryCount(); ++e) {
    if (e == skip) continue;
    const auto entry = static_cast<std::uint8_t>(e);
    table[entry] = ReadEntry(bind.Keys(), kBind, table.Prefix(entry));
    if (rows) ShowBinding(table, entry, *rows);
  }
  for (int n = 1; n <= kLayers; ++n) ReadLayer(table, profile, n, skip);
  Section names(profile, kLayersSection);
  for (int n = 1; n <= kLayers; ++n)
    table.LayerNames[static_cast<std::size_t>(n - 1)] =
        names.Empty() ? std::string()
                      : names.Keys().ReadString(names.name, "Name" + std::to_string(n), "");
  ReadChords(table, profile);
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
