#pragma once
// The DirectInput double's shared state: what a test drives (the attached
// joystick, its axes and buttons, failures to answer) and what the double
// records of the program's calls. It lives in a named shared-memory block on
// the paging file, named by an environment variable, so the program under
// test and the test may be one process or two, and parallel tests don't share.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace vantrel::test {

constexpr char kDoubleStateVariable[] = "VANTREL_DINPUT_DOUBLE";
// The extra export that proves the double, not the system's DLL, was loaded.
constexpr char kDoubleExport[] = "VantrelDInputDouble";
constexpr std::uint32_t kDoubleMagic = 0x56444931;
constexpr int kDoubleRecordSize = 272;
constexpr std::int32_t kNotSent = INT32_MIN;
constexpr int kPropertyLogSize = 1024;

// The kinds in the property log.
enum DoubleProperty : std::int32_t { kAutoCenter = 1, kDeadZone = 2, kRange = 3 };

struct PropertyCall {
  std::int32_t kind;
  std::int32_t offset;  // -1 for the whole device
};

struct DoubleState {
  std::uint32_t magic;

  // Driven by the test.
  std::int32_t attached;      // joysticks EnumDevices offers
  std::int32_t buttonCount;   // GetCapabilities' dwButtons and the button objects
  std::int32_t capsFlags;     // GetCapabilities' dwFlags
  std::int32_t extraObjects;  // objects offered after the usual ones, beyond 256 in all
  std::int32_t failCreate;    // DirectInputCreateA fails
  std::int32_t failSetDataFormat;
  std::int32_t refuseDevice2;  // QueryInterface refuses IDirectInputDevice2A
  std::int32_t inputLostOnce;  // the next GetDeviceState answers DIERR_INPUTLOST
  std::int32_t failAcquire;
  // Axis values. Delivered as they are (the device has scaled them), unless
  // `physical` is set: then they are deflections in -10000 ... +10000 of the
  // half travel, and the double applies the dead zone and the range the
  // program sent, as a driver does.
  std::int32_t lX, lY, lZ;
  std::int32_t physical;
  std::uint32_t pov;
  std::uint8_t buttons[128];

  // Recorded.
  std::uint32_t createVersion;
  std::int32_t liveObjects, liveDevices;  // created and not yet released
  std::int32_t enumDevType, enumFlags;
  std::int32_t createdFromInstance, createdFromJoystickGuid;
  std::int32_t capsSize;
  std::int32_t enumObjectsFlags;
  std::int32_t formatSize, objectSize, formatFlags, dataSize, numObjs;
  std::int32_t formatMaxOffset;    // the highest object offset in the format
  std::int32_t formatTypesCopied;  // entries whose type identifier matches the object offered
  std::int32_t setDataFormatCalls;
  std::int32_t cooperativeFlags;
  std::uint64_t cooperativeWindow;
  std::int32_t setCooperativeLevelCalls;
  std::int32_t autoCenter;                   // -1 until sent
  std::int32_t deadZone[kDoubleRecordSize];  // as sent (ten-thousandths), kNotSent otherwise
  std::int32_t rangeMin[kDoubleRecordSize], rangeMax[kDoubleRecordSize];
  std::int32_t propertyCalls;
  PropertyCall propertyLog[kPropertyLogSize];
  std::int32_t acquired;
  std::int32_t acquireCalls, unacquireCalls, pollCalls, getDeviceStateCalls;
  std::int32_t getDeviceStateSize;
  std::int32_t queryDevice2Calls;

  // Driven by the test: when not 0, what an axis's dead zone or range answers
  // (a refusal, or a success code other than DI_OK).
  std::int32_t axisPropertyAnswer;

  // Driven by the test: the axes beyond X and Y (Z, Rx, Ry, Rz, the two
  // sliders), which the device has when their bit of `otherAxes` is set (bit
  // 0 Z ... bit 5 the second slider), each delivered as X and Y are; whether
  // it has a hat (none by default: a plain joystick of two axes and its
  // buttons); and whether it is an Xbox pad's DirectInput twin (its device
  // path then holds "IG_", as such a pad's does).
  std::int32_t otherAxes;
  std::int32_t lRx, lRy, lRz;
  std::int32_t sliders[2];
  std::int32_t hat;
  std::int32_t xinputTwin;

  // Driven by the test: the product names of the first two joysticks (empty:
  // "Double joystick"), and the buttons of the second, which reads no axis.
  // A joystick beyond `attached` is unplugged: its reads fail.
  char names[2][32];
  std::uint8_t secondButtons[32];

  // The device's buffer of changes, as a device keeps them: PushChange adds
  // one (an object's offset in the state record, its new value and its time
  // stamp on GetTickCount's clock) and signals the event the program gave,
  // if any, while the device is acquired. Recorded: the buffer size and the
  // event the program asked for, and how often the buffer ran over.
  struct Change {
    std::int32_t offset;
    std::int32_t data;
    std::uint32_t stamp;
  };
  static constexpr int kChangeRing = 4096;
  Change changes[kChangeRing];
  std::int32_t changesMade, changesRead;
  std::int32_t bufferSize;
  // Which process gave which event handle (0: none now), bumped in
  // eventGeneration at each change, so the test can reach that event.
  std::uint32_t eventProcess;
  std::uint64_t eventHandle;
  std::int32_t eventGeneration;
  std::int32_t overflows;
  // Driven by the test: a device that delivers data only when polled, and
  // so signals no event.
  std::int32_t polledDevice;

  // Driven by the test: the device's last release takes this long, as a
  // program that is slow to end lets go of its joystick last.
  std::int32_t releaseDelayMs;

  // Driven by the test: the joystick the system lists first (0 by default),
  // the others following in their order, as a controller plugged in later
  // may be listed before one plugged in earlier.
  std::int32_t listedFirst;
};

// The program's event as a test reaches it from its own process, the way a
// driver signals it from its own context: the double records which process
// gave which handle, and Set duplicates it once per handle given. Nothing is
// set while the program has given none, nor while it has not acquired the
// device: DirectInput tells only an owner that has it.
class ProgramEvent {
 public:
  explicit ProgramEvent(const DoubleState& s) : s_(s) {}
  ~ProgramEvent() { Drop(); }
  ProgramEvent(const ProgramEvent&) = delete;
  ProgramEvent& operator=(const ProgramEvent&) = delete;

  void Set() {
    if (!s_.acquired) return;
    if (s_.eventGeneration != generation_) {
      Drop();
      generation_ = s_.eventGeneration;
      Reach();
    }
    if (mine_) SetEvent(mine_);
  }

 private:
  void Reach() {
    if (!s_.eventHandle) return;
    const HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, s_.eventProcess);
    if (!process) return;
    const auto theirs = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(s_.eventHandle));
    if (!DuplicateHandle(process, theirs, GetCurrentProcess(), &mine_, EVENT_MODIFY_STATE, FALSE,
                         0))
      mine_ = nullptr;
    CloseHandle(process);
  }
  void Drop() {
    if (mine_) CloseHandle(mine_);
    mine_ = nullptr;
  }

  const DoubleState& s_;
  std::int32_t generation_ = 0;
  HANDLE mine_ = nullptr;
};

// One change of the device, as a driver reports it: the state the program
// reads and the buffer both take it, stamped as it happens unless `stamp`
// says otherwise, and the program's event is signalled. A device nobody has
// acquired changes its state alone: DirectInput keeps no changes for it and
// tells of none, and its owner reads the state once it acquires it again.
inline void PushChange(DoubleState& s, ProgramEvent* event, std::int32_t offset, std::int32_t data,
                       std::uint32_t stamp = GetTickCount()) {
  if (offset == 0)
    s.lX = data;
  else if (offset == 4)
    s.lY = data;
  else if (offset == 8)
    s.lZ = data;
  else if (offset == 32)
    s.pov = static_cast<std::uint32_t>(data);
  else if (offset >= 48 && offset < 48 + 128)
    s.buttons[offset - 48] = static_cast<std::uint8_t>(data);
  if (!s.acquired) return;
  s.changes[s.changesMade % DoubleState::kChangeRing] = {offset, data, stamp};
  ++s.changesMade;
  if (event) event->Set();
}

// The bits of DoubleState::otherAxes.
enum DoubleAxis : std::int32_t {
  kAxisZ = 1,
  kAxisRx = 2,
  kAxisRy = 4,
  kAxisRz = 8,
  kAxisSlider1 = 16,
  kAxisSlider2 = 32,
  kEveryAxis = 63,
};

inline void ResetDoubleState(DoubleState& s) {
  std::memset(&s, 0, sizeof s);
  s.magic = kDoubleMagic;
  s.attached = 1;
  s.buttonCount = 12;
  s.pov = 0xFFFFFFFF;  // centred
  s.autoCenter = -1;
  for (int i = 0; i < kDoubleRecordSize; ++i)
    s.deadZone[i] = s.rangeMin[i] = s.rangeMax[i] = kNotSent;
}

// Maps the block called `name`, creating and initialising it when it does not
// exist yet. The view and the mapping stay for the life of the process.
inline DoubleState* MapDoubleState(const char* name) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(DoubleState), name);
  if (!mapping) return nullptr;
  auto* state = static_cast<DoubleState*>(
      MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(DoubleState)));
  if (state && state->magic != kDoubleMagic) ResetDoubleState(*state);
  return state;
}

}  // namespace vantrel::test
