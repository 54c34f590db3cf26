#pragma once
// The libraries the joystick reader finds at run time, each from the system
// folder only, loaded the first time it is needed and kept for the program's
// life: DirectInput, the multimedia joystick functions and XInput.
#include <windows.h>
#include <mmsystem.h>
#include <xinput.h>

#include <string>

namespace vantrel {

// A library by its name, loaded once; throws when it cannot be loaded.
HMODULE CachedLibrary(const std::string& name);

// The multimedia joystick functions, loaded the first time the primary
// interface has no joystick to give, as most runs never need them. A system
// without the library has no multimedia joystick either.
struct MultimediaLibrary {
  MMRESULT(WINAPI* getDevCaps)(UINT_PTR, LPJOYCAPSA, UINT) = nullptr;
  MMRESULT(WINAPI* getPosEx)(UINT, LPJOYINFOEX) = nullptr;
};
const MultimediaLibrary& Multimedia();
MMRESULT GetMultimediaCaps(UINT id, JOYCAPSA& caps);

// XInput, loaded the first time a DirectInput device turns out to be an
// Xbox pad's twin: xinput1_4.dll, or xinput9_1_0.dll on Windows 7. Without
// either (null), DirectInput reads the pad.
using XInputGetStateFn = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
XInputGetStateFn XInputGetStateFunction();
// The user index of the n-th connected pad (from 0), or -1.
int ConnectedPad(int n);

}  // namespace vantrel
