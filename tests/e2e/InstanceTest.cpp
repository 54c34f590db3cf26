// One running copy per program folder, whatever path it is started by, and a
// start while the running copy is ending, which must not be lost.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Library_win.h"
#include "e2e/Program_win.h"

namespace {

using vantrel::test::Process;
using vantrel::test::Program;
using vantrel::test::WaitUntil;

// The Unix path of a Windows one, as Wine's kernel32 answers it.
std::string UnixPath(const std::string& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  const auto convert = vantrel::LibraryFunction<Convert>(GetModuleHandleA("kernel32.dll"),
                                                         "wine_get_unix_file_name");
  if (!convert) return {};
  std::wstring wide(path.size() + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* unix = convert(wide.c_str());
  if (!unix) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// A drive letter whose root is `folder`, as a subst drive is: made through
// Wine's mount manager, the way its drive settings make one, and removed
// again at the end.
class MappedDrive {
 public:
  explicit MappedDrive(const std::string& folder) {
    const std::string target = UnixPath(folder);
    if (target.empty()) return;
    for (char letter = 'R'; letter < 'Z' && !letter_; ++letter) {
      const char root[] = {letter, ':', '\\', '\0'};
      if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR && Define(letter, target.c_str()))
        letter_ = letter;
    }
  }
  // The mount manager tells every window that the drive went; the next test
  // starts only once it is gone.
  ~MappedDrive() {
    if (!letter_ || !Define(letter_, nullptr)) return;
    const char root[] = {letter_, ':', '\\', '\0'};
    WaitUntil([&] { return GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR; });
  }
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;

  // "R:\\", or empty when no drive could be made.
  std::string Root() const { return letter_ ? std::string{letter_, ':', '\\'} : std::string{}; }

 private:
  // Wine's request to its mount manager: a drive letter for a Unix folder,
  // or none (the letter taken away).
  struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
  };
  static constexpr DWORD kDefineUnixDrive =
      CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

  static bool Define(char letter, const char* unixFolder) {
    const HANDLE manager =
        CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    std::vector<char> request(sizeof(UnixDrive) + (unixFolder ? std::strlen(unixFolder) + 1 : 0));
    auto* drive = reinterpret_cast<UnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = unixFolder ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
    drive->letter = static_cast<WCHAR>(letter - 'A' + 'a');
    if (unixFolder) {
      drive->mountPointOffset = sizeof(UnixDrive);
      std::strcpy(request.data() + sizeof(UnixDrive), unixFolder);
    }
    DWORD answered = 0;
    const BOOL done =
        DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                        static_cast<DWORD>(request.size()), nullptr, 0, &answered, nullptr);
    CloseHandle(manager);
    return done != FALSE;
  }

  char letter_ = 0;
};

std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return n && n < MAX_PATH ? std::string(buffer, n) : std::string{};
}

std::string Lowered(std::string path) {
  CharLowerBuffA(path.data(), static_cast<DWORD>(path.size()));
  return path;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The folder and the program have long names, so that both have short ones
// too; the folder's name holds a letter beyond ASCII, whose other case only
// the file system knows to be the same.
constexpr char kLongPlace[] = "Mapper \xC4 Folder\\Vantrel Mapper.exe";

// The first copy runs in the tray; a second start by another spelling of its
// path must end at once and bring the first copy's window back.
class OneFolder : public testing::Test {
 protected:
  void StartFirst(const std::string& exe = {}) {
    ASSERT_TRUE(program.Start(exe))
        << "could not start " << program.Exe() << " (error " << program.StartError() << ")";
    ASSERT_TRUE(program.WaitUntilStarted()) << "start-up did not finish: " << program.Describe();
    main = program.Window("TMainFrm");
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "not in the tray";
  }

  void ExpectBroughtForwardBy(const std::string& exe) {
    SCOPED_TRACE(exe);
    EXPECT_EQ(program.StartAgain(3000, exe), 0) << "the second copy ends at once";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }))
        << "the first copy's window is back";
    EXPECT_TRUE(program.Running());
  }

  Program program{false, kLongPlace};
  HWND main = nullptr;
};

TEST_F(OneFolder, AStartByTheShortNameOrTheLongOneIsTheSameCopy) {
  // Started by its short name, the copy still reads the settings beside it
  // under the long name: it starts in the tray.
  program.Settings("Minimize=1\r\n");
  const std::string shortExe = ShortPath(program.Exe());
  ASSERT_NE(shortExe.find('~'), std::string::npos) << shortExe;
  ASSERT_TRUE(program.Start(shortExe));
  ASSERT_TRUE(program.WaitUntilStarted());
  main = program.Window("TMainFrm");
  Sleep(300);
  EXPECT_FALSE(IsWindowVisible(main)) << "the settings were not read";

  ExpectBroughtForwardBy(program.Exe());
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  ExpectBroughtForwardBy(shortExe);
}

TEST_F(OneFolder, AStartInOtherLetterCaseIsTheSameCopy) {
  ASSERT_NO_FATAL_FAILURE(StartFirst());
  const std::string lowered = Lowered(program.Exe());
  ASSERT_NE(lowered, program.Exe());
  ASSERT_NE(GetFileAttributesA(lowered.c_str()), INVALID_FILE_ATTRIBUTES);
  ExpectBroughtForwardBy(lowered);
}

// Wine names a folder after the drive whose root lies deepest above it, as
// the drives are when it is asked; Windows names a subst drive's folder after
// the volume that holds it. The drive is there before the first copy starts,
// as a subst drive made at logon is.
TEST_F(OneFolder, AStartThroughAnotherDriveLetterIsTheSameCopy) {
  const MappedDrive drive(program.Folder());
  ASSERT_FALSE(drive.Root().empty()) << "no drive letter could be made for the folder";
  const std::string mapped = drive.Root() + NameOf(program.Exe());
  ASSERT_NE(GetFileAttributesA(mapped.c_str()), INVALID_FILE_ATTRIBUTES) << mapped;
  ASSERT_NO_FATAL_FAILURE(StartFirst());
  ExpectBroughtForwardBy(mapped);
}

TEST_F(OneFolder, AnotherProgramNameInTheSameFolderRunsApart) {
  ASSERT_NO_FATAL_FAILURE(StartFirst());
  const std::string other = program / "Other Mapper.exe";
  ASSERT_TRUE(CopyFileA(program.Exe().c_str(), other.c_str(), FALSE));
  const Process second = program.Launch(other);
  ASSERT_TRUE(second.Started());
  EXPECT_NE(second.WaitForMainWindow(), nullptr)
      << "it has settings of its own; " << second.Describe();
  EXPECT_TRUE(second.Running());
  EXPECT_FALSE(IsWindowVisible(main)) << "the first copy stays in the tray";
}

// The first copy has destroyed its window but not yet ended (it lets go of
// the joystick last, and slowly here): a start then must not be lost.
TEST(ShutdownRace, AStartWhileTheFirstCopyIsEndingRunsOnceItHasEnded) {
  Program program(true);
  program.Joystick().releaseDelayMs = 1500;
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.WaitUntilStarted()) << "start-up did not finish";
  ASSERT_TRUE(program.WaitForReads()) << "the program does not read the joystick";
  const HWND main = program.Window("TMainFrm");
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(main); }));
  ASSERT_TRUE(program.Running()) << "the first copy ended too soon for the test";

  const Process second = program.Launch(program.Exe());
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(program.ExitCode(), 0);
  program.Joystick().releaseDelayMs = 0;
  const HWND secondMain = second.WaitForMainWindow();
  ASSERT_NE(secondMain, nullptr) << "the second copy did not run";
  EXPECT_TRUE(second.Running());

  // It now holds the folder: a third start brings it forward and ends.
  PostMessageA(secondMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(secondMain); }));
  EXPECT_EQ(program.StartAgain(3000), 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(secondMain) != FALSE; }));
}

}  // namespace
