#include "lang/KeptTexts.h"

namespace vantrel {

std::array<std::string, kExtraEntries> BuiltInExtraRows() {
  std::array<std::string, kExtraEntries> rows;
  for (int i = 0; i < kExtraEntries; ++i)
    rows[static_cast<std::size_t>(i)] =
        BuiltInText("MainWindow", kAxisEntries[static_cast<std::size_t>(kStickEntries + i)].label);
  return rows;
}

KeptTexts& Kept() {
  static KeptTexts texts;
  return texts;
}

KeptTexts ReadKeptTexts(IniFile& pack) {
  KeptTexts t;
  auto read = [&pack](const char* section, const char* key, std::string& text) {
    text = pack.ReadString(section, key, text);
  };
  read("Common", "Current", t.Current);
  read("Common", "Next", t.Next);
  read("Common", "Choose", t.Choose);
  read("Common", "Mouse", t.Mouse);
  read("Common", "Arrow", t.Arrow);
  read("Common", "None", t.None);
  read("Common", "MouseLButton", t.MouseLButton);
  read("Common", "MouseRButton", t.MouseRButton);
  read("Common", "PointerStick", t.PointerStick);
  read("Common", "Layer", t.Layer);
  read("Common", "LayerHold", t.LayerHold);
  read("Common", "LayerToggle", t.LayerToggle);
  read("Common", "LayerOnce", t.LayerOnce);
  read("Common", "LayerSet", t.LayerSet);
  read("Common", "LayerName", t.LayerName);
  read("Common", "Base", t.Base);
  read("Common", "Nothing", t.Nothing);
  read("Common", "HoldPart", t.HoldPart);
  read("Common", "DoublePart", t.DoublePart);
  t.FontCharset = static_cast<std::uint16_t>(ReadInteger(pack, "Common", "FontCharset", 1));
  read("Common", "FontName", t.FontName);
  read("MainWindow", "Turbo", t.Turbo);
  read("MainWindow", "Button", t.Button);
  read("MainWindow", "Left", t.Left);
  read("MainWindow", "Right", t.Right);
  read("MainWindow", "Up", t.Up);
  read("MainWindow", "Down", t.Down);
  for (int i = 0; i < kExtraEntries; ++i)
    read("MainWindow", kAxisEntries[static_cast<std::size_t>(kStickEntries + i)].label,
         t.ExtraRows[static_cast<std::size_t>(i)]);
  read("EmulateKeyWindow", "PressKey", t.PressKey);
  read("ActionWindow", "Caption", t.ActionCaption);
  return t;
}

}  // namespace vantrel
