#include "bindings/Binding.h"

#include <algorithm>

#include "bindings/KeyName.h"

namespace vantrel {

void BindingTable::Resize(int numOfButtons) {
  numOfButtons_ = std::clamp(numOfButtons, 0, kMaxButtons);
  Bindings.resize(static_cast<std::size_t>(EntryCount()) + 1);
  EntryUp = static_cast<std::uint8_t>(numOfButtons_ + 1);
  EntryDown = static_cast<std::uint8_t>(numOfButtons_ + 2);
  EntryLeft = static_cast<std::uint8_t>(numOfButtons_ + 3);
  EntryRight = static_cast<std::uint8_t>(numOfButtons_ + 4);
}

void BindingTable::ClearFields(std::uint8_t e) {
  Binding& b = (*this)[e];
  b.VCode = 0;
  b.Shift = 0;
  b.Turbo = false;
  b.Execute.clear();
  b.INI.clear();
  b.INICount = 0;
}

std::string BindingTable::ActToStr(std::uint8_t e, const KeptTexts& texts) const {
  // Every direction of a pointer stick says what the stick does.
  if (PointerOwns(e)) return KeyName(kPointerStickCode, texts);
  const Binding& b = (*this)[e];
  switch (b.Action) {
    case ActEmulKey: {
      std::string text = KeyName(b.Shift, texts);
      if (!text.empty()) text += '+';
      return text + KeyName(b.VCode, texts);
    }
    case ActEmulClick:
      return KeyName(b.VCode, texts);
    case ActRun:
      return FileNamePart(b.Execute, "filename");
    case ActChangeIni:
      // The profile the first press will load: the second of the list, or
      // the only one.
      if (b.INI.empty()) return {};
      return FileNamePart(b.INI.size() > 1 ? b.INI[1] : b.INI[0], "filename");
    default:
      return {};
  }
}

const AxisEntry* BindingTable::AxisEntryOf(int e) const {
  if (e <= numOfButtons_ || e > EntryCount()) return nullptr;
  return &kAxisEntries[static_cast<std::size_t>(e - numOfButtons_ - 1)];
}

PointerStick BindingTable::StickOf(int e) const {
  const AxisEntry* entry = AxisEntryOf(e);
  return entry ? StickOfControl(entry->control) : PointerStick::None;
}

int BindingTable::PointerEntryOf(PointerStick stick) const {
  if (stick == PointerStick::None) return 0;
  for (int e = numOfButtons_ + 1; e <= EntryCount(); ++e) {
    const Binding& b = Bindings[static_cast<std::size_t>(e)];
    if (StickOf(e) == stick && b.Action == ActEmulClick && b.VCode == kPointerStickCode) return e;
  }
  return 0;
}

std::string BindingTable::Prefix(std::uint8_t e) const {
  if (const AxisEntry* entry = AxisEntryOf(e)) return entry->prefix;
  return "Button" + std::to_string(e);
}

std::string FileNamePart(std::string_view path, std::string_view mode) {
  const bool wantsPath = mode == "path";
  if (path.size() > 4) {
    for (std::size_t i = path.size() - 4; i-- > 0;) {
      if (path[i] == '\\')
        return std::string(wantsPath ? path.substr(0, i + 1) : path.substr(i + 1));
    }
  }
  return wantsPath ? std::string() : std::string(path);
}

}  // namespace vantrel
