#include "ui/ModalLoop_win.h"

namespace vantrel {

namespace {
ModalLoopListener seenListener = nullptr;
ModalLoopListener turnListener = nullptr;
void* listenerContext = nullptr;
bool seen = false;
bool turning = false;  // a turn runs: a modal loop inside it is not served again
HHOOK filter = nullptr;

LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code >= 0 && !turning) {
    ModalLoopSeen();
    if (turnListener) {
      turning = true;
      turnListener(listenerContext);
      turning = false;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

void ServeModalLoops(ModalLoopListener onSeen, ModalLoopListener onTurn, void* context) {
  seenListener = onSeen;
  turnListener = onTurn;
  listenerContext = context;
  if (onTurn && !filter)
    filter = SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
  if (!onTurn && filter) {
    UnhookWindowsHookEx(filter);
    filter = nullptr;
  }
}

void ModalLoopSeen() noexcept {
  if (seen) return;
  seen = true;
  if (seenListener) seenListener(listenerContext);
}

bool InModalLoop() noexcept { return seen; }

bool OwnLoopTurns() noexcept {
  const bool was = seen;
  seen = false;
  return was;
}

}  // namespace vantrel
