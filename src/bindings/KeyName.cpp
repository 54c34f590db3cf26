#include "bindings/KeyName.h"

namespace vantrel {

namespace {

const char* FixedName(std::uint16_t code) {
  switch (code) {
    case 8: return "BackSpace";
    case 9: return "TAB";
    case 13: return "Enter";
    case 16: return "Shift";
    case 17: return "Ctrl";
    case 18: return "Alt";
    case 19: return "Pause";
    case 20: return "CapsLock";
    case 27: return "Esc";
    case 32: return "Space";
    case 33: return "PgUp";
    case 34: return "PgDn";
    case 35: return "End";
    case 36: return "Home";
    case 45: return "Insert";
    case 46: return "Delete";
    case 91: return "LWin";
    case 92: return "RWin";
    case 93: return "MenuWin";
    case 106: return "Multiply";
    case 107: return "Add";
    case 108: return "Separator";
    case 109: return "Subtract";
    case 110: return "Decimal";
    case 111: return "/";
    case 144: return "NumLock";
    case 145: return "ScrollLock";
    case 186: return ";";
    case 187: return "+";
    case 188: return ",";
    case 189: return "-";
    case 190: return ".";
    case 191: return "/";
    case 192: return "~";
    case 219: return "[";
    case 220: return "Right \\";
    case 221: return "]";
    case 222: return "\"";
    case 226: return "Left \\";
    case 905: return "Wheel Forward";
    case 906: return "Wheel Backward";
    case 907: return "Wheel Click";
    default: return nullptr;
  }
}

}  // namespace

std::string KeyName(std::uint16_t code, const KeptTexts& texts) {
  if (code == 0) return {};
  if (const char* name = FixedName(code)) return name;
  if (code >= 96 && code <= 105) return "Numpad " + std::to_string(code - 96);
  if (code >= 112 && code <= 123) return "F" + std::to_string(code - 111);
  switch (code) {
    case 37: return texts.Arrow + " " + texts.Left;
    case 38: return texts.Arrow + " " + texts.Up;
    case 39: return texts.Arrow + " " + texts.Right;
    case 40: return texts.Arrow + " " + texts.Down;
    case 300: return texts.MouseLButton;
    case 301: return texts.MouseRButton;
    case 910: return texts.PointerStick;
    case 901: return texts.Mouse + " " + texts.Left;
    case 902: return texts.Mouse + " " + texts.Right;
    case 903: return texts.Mouse + " " + texts.Up;
    case 904: return texts.Mouse + " " + texts.Down;
    default: return std::string(1, static_cast<char>(code & 0xFF));
  }
}

}  // namespace vantrel
