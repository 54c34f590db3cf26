#include "input/MultimediaReader_win.h"

#include <windows.h>
// The multimedia joystick functions need <windows.h> first.
#include <mmsystem.h>

#include "input/PadLibraries_win.h"

namespace vantrel {

static_assert(kMultimediaHasZ == JOYCAPS_HASZ && kMultimediaHasPov == JOYCAPS_HASPOV);
static_assert(sizeof(JOYINFOEX) == 52);
static_assert(sizeof(JOYCAPSA) == 404);

namespace {

// JOY_RETURNX | Y | Z | POV | BUTTONS | CENTERED
constexpr DWORD kJoyReturnFlags = 0x4C7;
constexpr UINT kMultimediaJoysticks = 256;

}  // namespace

std::optional<MultimediaJoystick> FindMultimediaJoystick(int position) {
  JOYCAPSA caps{};
  int count = 0;
  for (UINT n = 0; n < kMultimediaJoysticks; ++n) {
    caps = {};
    // Any error means no joystick there (Wine answers JOYERR_PARMS, not UNPLUGGED).
    if (GetMultimediaCaps(n, caps) != JOYERR_NOERROR) continue;
    if (count++ == position)
      return MultimediaJoystick{n,
                                {caps.wXmin, caps.wXmax, caps.wYmin, caps.wYmax, caps.wZmin,
                                 caps.wZmax, caps.wNumButtons, caps.wCaps}};
  }
  return std::nullopt;
}

MultimediaReader::MultimediaReader(const MultimediaJoystick& joystick, std::uint32_t number,
                                   const AxisTables& tables)
    : id_(joystick.id),
      caps_(joystick.caps),
      number_(number),
      tables_(tables),
      controls_(MultimediaControls(joystick.caps)) {
  state_.device = number;
}

bool MultimediaReader::Read(Millis now) {
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = kJoyReturnFlags;
  // The lookup found the joystick through the library, so the library is there.
  if (Multimedia().getPosEx(id_, &info) != JOYERR_NOERROR) {
    state_ = {};
    state_.device = number_;
    state_.time = now;
    return false;
  }
  state_ = MultimediaPadState({info.dwXpos, info.dwYpos, info.dwZpos, info.dwButtons, info.dwPOV},
                              caps_, tables_);
  state_.device = number_;
  state_.time = now;
  return true;
}

}  // namespace vantrel
