// The Help window, and language packs in every window.
#include "win/OptionsFixture_win.h"

namespace vantrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class Help : public Options {
 protected:
  void TearDown() override {
    DeleteFileA(readme.c_str());
    SetCurrentDirectoryA(FileNamePart(ExePath(), "path").c_str());
    Options::TearDown();
  }
  int Lines() {
    return static_cast<int>(SendMessageA(app->HelpFrm.Get().fsMemo1, EM_GETLINECOUNT, 0, 0));
  }
  const std::string readme = FileNamePart(ExePath(), "path") + "readme.txt";
};

TEST_F(Help, ShowsTheReadmeBesideTheProgramOnceHoweverOftenItOpens) {
  WriteFileBytes(readme, "Vantrel help\r\nsecond line\nthird line\r\n");
  WriteFileBytes(dir / "readme.txt", "the working folder's file\r\n");
  SetCurrentDirectoryA(dir.Path().c_str());
  Application& a = Start("");
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_TRUE(a.HelpFrm.Visible());
  EXPECT_TRUE(IsWindowEnabled(Main())) << "Help stands beside the main window";
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  a.HelpFrm.Close();
  WriteFileBytes(readme, "Vantrel help\r\nsecond line\nthird line\r\nfourth line");
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_EQ(Text(a.HelpFrm.Get().fsMemo1),
            "Vantrel help\r\nsecond line\r\nthird line\r\nfourth line");
  EXPECT_EQ(Lines(), 4);
}

TEST_F(Help, AMissingReadmeIsReportedAndTheWindowOpensEmpty) {
  DeleteFileA(readme.c_str());
  Application& a = Start("");
  test::BoxCounter boxes(GetCurrentThreadId());
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_THAT(boxes.Stop(), ElementsAre("File not found."));
  EXPECT_TRUE(a.HelpFrm.Visible());
  EXPECT_EQ(Text(a.HelpFrm.Get().fsMemo1), "");
}

// Language packs, applied at start-up through the settings and at OK.
class Packs : public Options {
 protected:
  Application& StartWithPack(const std::string& pack, const std::string& settings = "") {
    WriteFileBytes(packPath, pack);
    return Start("PakIndex=2\r\nLanguagePak=" + packPath + "\r\n" + settings);
  }
  // As the next start of the program reads the settings the last one wrote.
  Application& Restart() {
    app.reset();
    app = std::make_unique<Application>();
    app->CreateForms();
    app->CompleteStartUp();
    return *app;
  }
  static std::string MenuText(HWND window, UINT id) {
    char text[256] = {};
    GetMenuStringA(GetMenu(window), id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  static std::string BarText(HWND window, UINT position) {
    char text[256] = {};
    GetMenuStringA(GetMenu(window), position, text, sizeof text, MF_BYPOSITION);
    return text;
  }
  static std::string Item(HWND combo, int item) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The controls the language's font reaches, one of each window.
  std::vector<HWND> FontedControls() {
    Application& a = *app;
    a.OptionsFrm.Created();
    return {a.MainFrm.Rows.fsGAxis, a.MainFrm.Rows.btnJoy[1],  a.MainFrm.Rows.stJoy[1],
            a.ClickDlg.Get().btnOK, a.ClickDlg.Get().CBAction, a.BindEmulDlg.Get().chbSpecKey,
            a.OptionsFrm.GroupLng,  a.OptionsFrm.chbPopup,     a.ActionDlg.Get().btnRun,
            a.IniFrm.Get().btnAdd,  a.IniFrm.Get().btnCancel};
  }
  const std::string packPath = dir / "pack.lng";
};

TEST_F(Packs, OnlyAFontKeepsTheEnglishTextsInThatFont) {
  Application& a = StartWithPack("[Common]\r\nFontName=Tahoma\r\nFontCharset=204\r\n");
  for (HWND control : FontedControls()) {
    const LOGFONTA font = FontOf(control);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    EXPECT_EQ(font.lfCharSet, RUSSIAN_CHARSET);
  }
  EXPECT_EQ(Text(a.MainFrm.Rows.fsGAxis), "Axis");
  EXPECT_EQ(RowCaption(1), "Button 1");
  EXPECT_EQ(BarText(Main(), 0), "&File");
  EXPECT_EQ(MenuText(Main(), IDM_OPEN), "&Open\tCtrl+O");
  EXPECT_EQ(MenuText(Main(), IDM_ABOUT), "&About...");
  EXPECT_EQ(Text(a.ClickDlg.Get().Handle()), "Mouse");
  EXPECT_EQ(Text(a.BindEmulDlg.Get().Handle()), "Keyboard");
  EXPECT_EQ(Text(a.OptionsFrm.Created()), "Options");
  EXPECT_EQ(Text(a.OptionsFrm.btnPopupPos), "Position");
  EXPECT_EQ(Text(a.popupINI.Handle()), "Set window position");
  EXPECT_EQ(Text(a.IniFrm.Get().btnClear), "Clear");
  EXPECT_EQ(Text(a.HelpFrm.Get().Handle()), "Help");
}

TEST_F(Packs, AButtonTextNamesTheRowsAfterOkAndAtTheNextStart) {
  WriteFileBytes(packPath, "[MainWindow]\r\nButton=Key\r\n");
  Start("NumOfButtons=6\r\n");
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), packPath);
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(RowCaption(1), "Key 1");
  EXPECT_EQ(RowCaption(6), "Key 6");
  Restart();
  EXPECT_EQ(RowCaption(1), "Key 1");
  EXPECT_EQ(RowCaption(7), "Up");
}

TEST_F(Packs, AMouseTextNamesTheMouseDialogItsButtonAndTheMoves) {
  Application& a = StartWithPack("[Common]\r\nMouse=Maus\r\n", "NumOfButtons=6\r\n");
  EXPECT_EQ(Text(a.ClickDlg.Get().Handle()), "Maus");
  EXPECT_EQ(Text(a.ActionDlg.Get().btnEmulClick), "Maus");
  EXPECT_EQ(Item(a.ClickDlg.Get().CBAction, 0), "MouseLButton");
  EXPECT_EQ(Item(a.ClickDlg.Get().CBAction, 2), "Maus Left");
  EXPECT_EQ(Item(a.ClickDlg.Get().CBAction, 5), "Maus Down");
  EXPECT_EQ(Item(a.BindEmulDlg.Get().cbSelect, 9), "Arrow Left");
}

TEST_F(Packs, OkRenamesTheBoundKeysAndMovesOfTheRowsThereAre) {
  WriteFileBytes(packPath, "[Common]\r\nMouse=Maus\r\nArrow=Pfeil\r\n[MainWindow]\r\nUp=Hoch\r\n");
  Application& a = Start("NumOfButtons=6\r\n",
                         "[Bind]\r\nButton1.Action=4\r\nButton1.MButton=901\r\n"
                         "Button2.Action=3\r\nButton2.VCode=38\r\n");
  EXPECT_EQ(Text(a.MainFrm.Rows.stJoy[1]), "Mouse Left");
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), packPath);
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(Text(a.MainFrm.Rows.stJoy[1]), "Maus Left");
  EXPECT_EQ(Text(a.MainFrm.Rows.stJoy[2]), "Pfeil Hoch");
  EXPECT_EQ(RowCaption(7), "Hoch");
}

// A window opened before a new language takes it at OK, and one first
// opened after it comes up in it.
TEST_F(Packs, WindowsOpenedBeforeOrAfterOkShowTheNewLanguage) {
  WriteFileBytes(packPath, "[Common]\r\nMouse=Maus\r\n");
  Application& a = Start("NumOfButtons=6\r\n");
  const HWND mouse = a.ClickDlg.Get().Handle();
  EXPECT_EQ(Text(mouse), "Mouse");
  ASSERT_FALSE(a.ActionDlg.Exists());
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), packPath);
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(Text(mouse), "Maus");
  EXPECT_EQ(Text(a.ActionDlg.Get().btnEmulClick), "Maus");
}

// A pack that names no file, or names a folder, or holds rubbish, shows
// the built-in texts where it has none of its own, and never stops the program.
TEST_F(Packs, HostilePacksFallBackKeyByKey) {
  const std::string huge(5000, 'W');
  std::string binary = "[MainWindow]\r\nAxis=A\x01\x02\xff\xfe";
  binary += '\0';
  binary += "z\r\n[Common]\r\nFontCharset=Cyrillic\r\nOK=" + huge + "\r\n";
  for (const std::string& path : {dir / "missing.lng", dir.Path(), packPath}) {
    WriteFileBytes(packPath, binary);
    Start("PakIndex=2\r\nLanguagePak=" + path + "\r\n");
    Application& a = *app;
    EXPECT_EQ(Text(a.BindEmulDlg.Get().chbSpecKey), "Choose from list") << path;
    a.OptionsFrm.Created();
    EXPECT_EQ(FontOf(a.OptionsFrm.btnOK).lfCharSet, DEFAULT_CHARSET) << path;
    const std::string ok = path == packPath ? huge.substr(0, kMaxIniText) : "OK";
    EXPECT_EQ(Text(a.OptionsFrm.btnOK), ok) << path;
    app.reset();
  }
  // A pack held open by another program reads as it can, and the program starts.
  const HANDLE locked = CreateFileA(packPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  Start("PakIndex=2\r\nLanguagePak=" + packPath + "\r\n");
  EXPECT_TRUE(IsWindow(Main()));
  CloseHandle(locked);
}

// The report of a value that will not go is a text of the pack applied.
TEST_F(Packs, AValueThatWillNotGoIsReportedInThePacksWords) {
  WriteAutorun(ProgramAutoruns().machine, AutorunCommand(ExePath()));
  SetAutorunWriteCheck(&RefuseTheMachineWideKey);
  StartWithPack("[OptionsWindow]\r\nAutorunOffRefused=Der Autostart bleibt.\r\n");
  Open();
  test::BoxCounter boxes(GetCurrentThreadId());
  Click(Opts().chbAutoRun);
  EXPECT_THAT(boxes.Stop(), ElementsAre("Der Autostart bleibt."));
  Click(Opts().btnCancel);
}

TEST_F(Packs, RussianShowsInEveryWindowAndFitsItsControls) {
  std::ifstream source(VANTREL_RUSSIAN_PACK, std::ios::binary);
  ASSERT_TRUE(source);
  Application& a =
      StartWithPack(std::string{std::istreambuf_iterator<char>(source), {}}, "NumOfButtons=6\r\n");
  // The Windows-1251 bytes of the texts compared.
  EXPECT_EQ(RowCaption(1), "\xca\xed\xee\xef\xea\xe0 1");          // Кнопка 1
  EXPECT_EQ(RowCaption(7), "\xc2\xe2\xe5\xf0\xf5");                // Вверх
  EXPECT_EQ(RowCaption(10), "\xc2\xef\xf0\xe0\xe2\xee");           // Вправо
  EXPECT_EQ(Text(a.ClickDlg.Get().Handle()), "\xcc\xfb\xf8\xfc");  // Мышь
  EXPECT_EQ(BarText(Main(), 0), "&\xd4\xe0\xe9\xeb");  // &Файл: its access key marked
  EXPECT_EQ(Text(a.HelpFrm.Get().Handle()), "\xd1\xef\xf0\xe0\xe2\xea\xe0");  // Справка
  a.OptionsFrm.Created();
  EXPECT_EQ(FontOf(a.OptionsFrm.btnOK).lfCharSet, RUSSIAN_CHARSET);
  ExpectEveryTextFits(a);
  // In the pack's own code page the texts are Cyrillic on screen too, and
  // the pictures are taken there.
  char codePage[16] = {};
  if (!GetEnvironmentVariableA("VANTREL_CODE_PAGE", codePage, sizeof codePage)) return;
  ASSERT_EQ(GetACP(), static_cast<UINT>(std::stoi(codePage)));
  wchar_t caption[64] = {};
  GetWindowTextW(a.MainFrm.Rows.btnJoy[1], caption, 64);
  EXPECT_STREQ(caption, L"\u041a\u043d\u043e\u043f\u043a\u0430 1");  // Кнопка 1
  test::SavePicture(Main(), "main-window-ru");
  Open();
  test::SavePicture(Opts().Handle(), "options-window-ru");
  Click(Opts().btnCancel);
}

}  // namespace
}  // namespace vantrel::test
