#pragma once
#include <array>
#include <string_view>

namespace vantrel {

// One text of a language pack: where it is read and its built-in English.
struct LanguageKey {
  const char* section;
  const char* key;
  const char* builtIn;
};

// Every key the program reads from a pack, in the order it applies them:
// the kept texts first, then window by window.
inline constexpr std::array<LanguageKey, 124> kLanguageKeys{{
    {"Common", "Current", "Current"},
    {"Common", "Next", "Next"},
    {"Common", "Choose", "Choose..."},
    {"Common", "Mouse", "Mouse"},
    {"Common", "Arrow", "Arrow"},
    {"Common", "None", "None"},
    {"Common", "MouseLButton", "MouseLButton"},
    {"Common", "MouseRButton", "MouseRButton"},
    {"Common", "PointerStick", "Pointer (stick)"},
    {"Common", "Layer", "Layer"},
    {"Common", "LayerHold", "hold"},
    {"Common", "LayerToggle", "toggle"},
    {"Common", "LayerOnce", "once"},
    {"Common", "LayerSet", "set"},
    // A layer's number stands for "%d".
    {"Common", "LayerName", "Layer %d"},
    {"Common", "Base", "Base"},
    {"Common", "Nothing", "Nothing"},
    {"Common", "HoldPart", "hold"},
    {"Common", "DoublePart", "double"},
    {"Common", "FontCharset", "1"},
    {"Common", "FontName", "Arial"},
    {"MainWindow", "Turbo", "Turbo"},
    {"MainWindow", "Button", "Button"},
    {"MainWindow", "Left", "Left"},
    {"MainWindow", "Right", "Right"},
    {"MainWindow", "Up", "Up"},
    {"MainWindow", "Down", "Down"},
    {"MainWindow", "POVUp", "POV Up"},
    {"MainWindow", "POVDown", "POV Down"},
    {"MainWindow", "POVLeft", "POV Left"},
    {"MainWindow", "POVRight", "POV Right"},
    {"MainWindow", "ZMinus", "Z-"},
    {"MainWindow", "ZPlus", "Z+"},
    {"MainWindow", "RxMinus", "Rx-"},
    {"MainWindow", "RxPlus", "Rx+"},
    {"MainWindow", "RyMinus", "Ry-"},
    {"MainWindow", "RyPlus", "Ry+"},
    {"MainWindow", "RzMinus", "Rz-"},
    {"MainWindow", "RzPlus", "Rz+"},
    {"MainWindow", "Slider1Minus", "Slider1-"},
    {"MainWindow", "Slider1Plus", "Slider1+"},
    {"MainWindow", "Slider2Minus", "Slider2-"},
    {"MainWindow", "Slider2Plus", "Slider2+"},
    {"MainWindow", "Axis", "Axis"},
    {"MainWindow", "Buttons", "Buttons"},
    {"MainWindow", "File", "File"},
    {"MainWindow", "Open", "Open"},
    {"MainWindow", "Save", "Save"},
    {"MainWindow", "Exit", "Exit"},
    {"MainWindow", "Options", "Options"},
    {"MainWindow", "OptionsItem", "Options..."},
    {"MainWindow", "Programs", "Programs..."},
    {"MainWindow", "Help", "Help"},
    {"MainWindow", "About", "About..."},
    {"MainWindow", "Layer", "Layer:"},
    {"TrayIcon", "Settings", "Settings"},
    {"TrayIcon", "NoController", "Vantrel: no controller attached"},
    // The program's name stands for "%s".
    {"TrayIcon", "Elevated",
     "%s runs as administrator, so Windows blocks Vantrel's keys and mouse there. Start "
     "Vantrel as administrator to control it."},
    {"HelpWindow", "Caption", "Help"},
    {"Common", "OK", "OK"},
    {"Common", "Cancel", "Cancel"},
    {"EmulateKeyWindow", "PressKey", "Press key"},
    {"EmulateKeyWindow", "Caption", "Keyboard"},
    {"EmulateKeyWindow", "ChooseFromList", "Choose from list"},
    {"OptionsWindow", "Caption", "Options"},
    {"OptionsWindow", "Language", "Language"},
    {"OptionsWindow", "General", "General"},
    {"OptionsWindow", "Autorun", "Autorun"},
    {"OptionsWindow", "Minimize", "Minimize on run:"},
    {"OptionsWindow", "PopupWindow", "Popup window:"},
    {"OptionsWindow", "ShowTime", "Show time (s):"},
    {"OptionsWindow", "PopupPosition", "Position"},
    {"OptionsWindow", "TurboTimer", "Turbo timer (ms):"},
    {"OptionsWindow", "MouseAccelerate", "Mouse accelerate:"},
    {"OptionsWindow", "MouseMaxSpeed", "Mouse max speed:"},
    {"OptionsWindow", "PointerCurve", "Pointer curve:"},
    {"OptionsWindow", "ScanCodes", "Send scan codes"},
    {"OptionsWindow", "Joystick", "Joystick"},
    {"OptionsWindow", "Buttons", "Buttons:"},
    {"OptionsWindow", "RefreshTime", "Refresh time (ms):"},
    {"OptionsWindow", "Range", "Range:"},
    {"OptionsWindow", "DeadZone", "DeadZone (%):"},
    {"OptionsWindow", "DeadZoneAxes", "Axes:"},
    {"OptionsWindow", "FirstAttached", "First attached"},
    {"OptionsWindow", "AutoDetect", "Detect"},
    {"OptionsWindow", "SetWindowPosition", "Set window position"},
    {"OptionsWindow", "AutorunOffRefused",
     "Vantrel is not allowed to remove its autorun entry, so Windows will still start it. "
     "To turn Autorun off, start Vantrel as administrator and untick Autorun again."},
    {"OptionsWindow", "LayerIndicator", "Show layer changes"},
    {"OptionsWindow", "PressTimes", "Press timing"},
    {"OptionsWindow", "HoldTime", "Hold time (ms):"},
    {"OptionsWindow", "DoubleTime", "Double tap time (ms):"},
    {"OptionsWindow", "TapTime", "Tap time (ms):"},
    {"OptionsWindow", "ChordTime", "Chord time (ms):"},
    {"Common", "Close", "Close"},
    {"ActionWindow", "Caption", "Action"},
    {"ActionWindow", "Keyboard", "Keyboard"},
    {"ActionWindow", "Run", "Run..."},
    {"ActionWindow", "ChangeSettings", "Change settings"},
    {"ActionWindow", "Layer", "Layer..."},
    {"ActionWindow", "SameAsBelow", "Same as below"},
    {"ChangeSettingsWindow", "Caption", "Change settings"},
    {"ChangeSettingsWindow", "Add", "Add"},
    {"ChangeSettingsWindow", "Remove", "Remove"},
    {"ChangeSettingsWindow", "Up", "Up"},
    {"ChangeSettingsWindow", "Down", "Down"},
    {"ChangeSettingsWindow", "Clear", "Clear"},
    {"ProgramsWindow", "Caption", "Programs"},
    {"ProgramsWindow", "Add", "Add"},
    {"ProgramsWindow", "Profile", "Profile..."},
    {"ProgramsWindow", "Off", "Off"},
    {"ProgramsWindow", "Remove", "Remove"},
    {"ProgramsWindow", "Browse", "Browse..."},
    // Why a program's name cannot be kept in the settings file; the name
    // stands for "%s".
    {"ProgramsWindow", "NameOpening",
     "Vantrel cannot keep a rule for %s: a program's name may not start with [ or ;."},
    {"ProgramsWindow", "NameEquals",
     "Vantrel cannot keep a rule for %s: a program's name may not hold =."},
    {"ProgramsWindow", "NameControl",
     "Vantrel cannot keep a rule for %s: a program's name may not hold control characters."},
    {"ProgramsWindow", "NameBlank",
     "Vantrel cannot keep a rule for %s: a program's name may not start or end with a blank."},
    {"LayerWindow", "Caption", "Layer"},
    {"LayerWindow", "Layer", "Layer:"},
    {"LayerWindow", "Name", "Name:"},
    {"LayerWindow", "Mode", "Mode"},
    {"LayerWindow", "Hold", "Hold: while held"},
    {"LayerWindow", "Toggle", "Toggle: press on, press off"},
    {"LayerWindow", "Once", "Once: for the next press"},
    {"LayerWindow", "Set", "Set: until another Set"},
}};

// The built-in text of a key of the table; a key outside it has none.
constexpr const char* BuiltInText(std::string_view section, std::string_view key) {
  for (const LanguageKey& k : kLanguageKeys)
    if (section == k.section && key == k.key) return k.builtIn;
  return "";
}

}  // namespace vantrel
