#pragma once
// The DirectInput double's shared state: what a test drives (the attached
// joystick, its axes and buttons, failures to answer) and what the double
// records of the program's calls. It lives in a named shared-memory block on
// the paging file, named by an environment variable, so the program under
// test and the test may be one process or two, and parallel tests don't share.
#include <windows.h>

#include <cstdint>
#include <cstring>

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
  // Driven by the test: the device's last release takes this long, as a
  // program that is slow to end lets go of its joystick last.
  std::int32_t releaseDelayMs;
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
