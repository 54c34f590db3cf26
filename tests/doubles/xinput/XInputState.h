#pragma once
// The XInput double's shared state: the pads a test connects and drives,
// and what the double records of the program's calls. Named by an
// environment variable, as the DirectInput double's is.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace vantrel::test {

constexpr char kXInputStateVariable[] = "VANTREL_XINPUT_DOUBLE";
constexpr std::uint32_t kXInputMagic = 0x58494E31;

struct XInputPadState {
  std::int32_t connected;
  std::uint16_t buttons;
  std::uint8_t leftTrigger, rightTrigger;
  std::int16_t thumbLX, thumbLY, thumbRX, thumbRY;
};

struct XInputState {
  std::uint32_t magic;
  XInputPadState pads[4];
  // Recorded.
  std::int32_t getStateCalls;
  std::uint32_t packet;
};

inline XInputState* MapXInputState(const char* name) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(XInputState), name);
  if (!mapping) return nullptr;
  auto* state = static_cast<XInputState*>(
      MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(XInputState)));
  if (state && state->magic != kXInputMagic) {
    std::memset(state, 0, sizeof *state);
    state->magic = kXInputMagic;
  }
  return state;
}

}  // namespace vantrel::test
