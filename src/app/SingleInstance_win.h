#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace vantrel {

// One running copy per settings file, known by its folder's identity, not by
// the path it was started by. The first copy owns a named mutex until it has
// ended and publishes its main window; a later copy started from the same
// folder asks that window to come forward (out of the tray if need be) and
// exits before it creates anything, so nothing is injected twice and no
// second icon shows.
class SingleInstance {
 public:
  // Sent to the first copy's main window: restore and come to the front.
  static constexpr char kRestoreMessage[] = "Vantrel.RestoreFromTray";

  explicit SingleInstance(const std::string& settingsPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool First() const { return first_; }
  // In the first copy, once its main window exists.
  void Publish(HWND mainWindow);
  // In a later copy: brings the first copy's main window forward and answers
  // false. A first copy that is ending no longer answers; it is waited for
  // (a few seconds at most, as for one that is still starting), and true
  // means that this copy has taken its place and runs.
  bool TakeOverFromFirst();

 private:
  static bool BringForward(HWND main);

  HANDLE mutex_ = nullptr;
  HANDLE mapping_ = nullptr;
  volatile std::uint64_t* window_ = nullptr;
  bool first_ = true;
};

}  // namespace vantrel
