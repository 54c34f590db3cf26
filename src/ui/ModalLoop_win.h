#pragma once
// Modal loops on the program's one thread: a message box, a dialog, a menu,
// a window being moved or sized, a prompt of the shell. While one runs, the
// program's own message loop does not, and with it neither the wait on the
// controller's event nor the wait for timed work. Every such loop of the
// system passes each message it takes through the thread's message filter:
// the program serves its controller from there, at every message, and from
// window timers (which every modal loop dispatches) while no message comes.
#include <windows.h>

namespace vantrel {

using ModalLoopListener = void (*)(void* context);

// `seen`: told once when a modal loop is first seen, until the program's
// own loop turns again. `turn`: told at every message a modal loop takes.
// Installs the thread's message filter; null listeners remove it.
void ServeModalLoops(ModalLoopListener seen, ModalLoopListener turn, void* context);

// A modal loop runs, or is about to. Every window of the program reports the
// messages that tell of one (WM_ENTERIDLE, WM_ENTERMENULOOP,
// WM_ENTERSIZEMOVE); code that opens a box or a menu says so before it.
void ModalLoopSeen() noexcept;
// Whether one was seen since the program's own loop last turned.
bool InModalLoop() noexcept;
// The program's own loop turns: no modal loop runs. True when one had been seen.
bool OwnLoopTurns() noexcept;
// Whether a message tells of a modal loop.
constexpr bool TellsOfModalLoop(UINT msg) {
  return msg == WM_ENTERIDLE || msg == WM_ENTERMENULOOP || msg == WM_ENTERSIZEMOVE;
}

}  // namespace vantrel
