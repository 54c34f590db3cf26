// The DirectInput double where the tests lean on it behaving as DirectInput
// does: a change reaches a device's buffer and its owner's event only while
// the device is acquired; its state takes the change whatever.
#define DIRECTINPUT_VERSION 0x0500
#include <windows.h>

#include <dinput.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dinput/DoubleState.h"

namespace vantrel::test {
namespace {

using Create = HRESULT(WINAPI*)(HINSTANCE, DWORD, LPDIRECTINPUTA*, LPUNKNOWN);

class DInputDouble : public testing::Test {
 protected:
  void SetUp() override {
    // The double maps the block named when it is first used in a process.
    SetEnvironmentVariableA(kDoubleStateVariable, name.c_str());
    state = MapDoubleState(name.c_str());
    ASSERT_NE(state, nullptr);
    ResetDoubleState(*state);
    HMODULE library = LoadLibraryA("dinput.dll");
    ASSERT_TRUE(library && GetProcAddress(library, kDoubleExport)) << "the double is not installed";
    const auto create = reinterpret_cast<Create>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectInputCreateA")));
    ASSERT_EQ(create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, &input, nullptr), DI_OK);
    ASSERT_NE(event, nullptr);
  }
  void TearDown() override {
    Close();
    if (input) input->Release();
    CloseHandle(event);
  }

  // A device opened as the program opens one: a format, a buffer and the
  // event, not yet acquired.
  void Open() {
    Close();
    ResetDoubleState(*state);
    ASSERT_EQ(input->CreateDevice(GUID_Joystick, &device, nullptr), DI_OK);
    DIDATAFORMAT format{.dwSize = sizeof(DIDATAFORMAT),
                        .dwObjSize = sizeof(DIOBJECTDATAFORMAT),
                        .dwFlags = DIDF_ABSAXIS,
                        .dwDataSize = sizeof(DIJOYSTATE2)};
    ASSERT_EQ(device->SetDataFormat(&format), DI_OK);
    DIPROPDWORD buffer{{sizeof buffer, sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 16};
    ASSERT_EQ(device->SetProperty(DIPROP_BUFFERSIZE, &buffer.diph), DI_OK);
    ASSERT_EQ(device->SetEventNotification(event), DI_OK);
    ResetEvent(event);
  }
  void Close() {
    if (device) device->Release();
    device = nullptr;
  }

  bool Told() {
    const bool set = WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
    ResetEvent(event);
    return set;
  }

  // The changes the device kept, as "offset=value".
  std::vector<std::string> Kept() {
    DIDEVICEOBJECTDATA data[16]{};
    DWORD count = 16;
    EXPECT_EQ(device->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
    std::vector<std::string> kept;
    for (DWORD i = 0; i < count; ++i)
      kept.push_back(std::to_string(data[i].dwOfs) + "=" + std::to_string(data[i].dwData));
    return kept;
  }

  const std::string name = "vantrel-dinput-double-" + std::to_string(GetCurrentProcessId());
  DoubleState* state = nullptr;
  LPDIRECTINPUTA input = nullptr;
  LPDIRECTINPUTDEVICEA device = nullptr;
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

// Button 1 goes down with the device in each state of its acquisition; the
// owner then acquires it and reads.
TEST_F(DInputDouble, AChangeIsKeptAndToldOnlyWhileTheDeviceIsAcquired) {
  const struct {
    const char* when;
    bool acquired, letGo;
    bool told;
    std::vector<std::string> kept;
  } cases[] = {
      {"never acquired", false, false, false, {}},
      {"acquired", true, false, true, {"48=128"}},
      {"acquired and let go", true, true, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    Open();
    if (c.acquired) {
      ASSERT_EQ(device->Acquire(), DI_OK);
    }
    if (c.letGo) {
      ASSERT_EQ(device->Unacquire(), DI_OK);
    }
    ProgramEvent driver(*state);
    PushChange(*state, &driver, 48, 0x80);
    EXPECT_EQ(Told(), c.told) << "by the change";
    driver.Set();
    EXPECT_EQ(Told(), c.told) << "by the driver alone";
    device->Acquire();
    EXPECT_EQ(Kept(), c.kept);
    DIJOYSTATE2 now{};
    ASSERT_EQ(device->GetDeviceState(sizeof now, &now), DI_OK);
    EXPECT_EQ(now.rgbButtons[0], 0x80) << "the state has it";
  }
}

// A change keeps the stamp it was pushed with, or the clock's at the push.
TEST_F(DInputDouble, AChangeKeepsItsStamp) {
  Open();
  ASSERT_EQ(device->Acquire(), DI_OK);
  const DWORD before = GetTickCount();
  PushChange(*state, nullptr, 48, 0x80);
  const DWORD after = GetTickCount();
  PushChange(*state, nullptr, 48, 0, 0xFFFFFFF0u);
  DIDEVICEOBJECTDATA data[2]{};
  DWORD count = 2;
  ASSERT_EQ(device->GetDeviceData(sizeof data[0], data, &count, 0), DI_OK);
  ASSERT_EQ(count, 2u);
  EXPECT_LE(data[0].dwTimeStamp - before, after - before) << "stamped at the push";
  EXPECT_EQ(data[1].dwTimeStamp, 0xFFFFFFF0u) << "as given";
}

}  // namespace
}  // namespace vantrel::test
