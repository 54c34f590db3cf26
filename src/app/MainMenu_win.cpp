// The main window's menu bar and its commands: File, Options and Help.
#include "app/MainMenu_win.h"

#include <iterator>
#include <memory>
#include <optional>
#include <type_traits>

#include "app/QEXmainwndcode.h"
#include "bindings/Profile.h"
#include "config/ProfileFile_win.h"
#include "resource.h"
#include "ui/AccessKey.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// The items of the File and Help menus: the key of their text and the
// shortcut shown after it, which no pack changes.
struct MenuItem {
  UINT id;
  const char* key;
  const char* shortcut;
};
constexpr MenuItem kFileItems[] = {
    {IDM_OPEN, "Open", "\tCtrl+O"}, {IDM_SAVE, "Save", "\tCtrl+S"}, {IDM_EXIT, "Exit", "\tCtrl+Q"}};
constexpr MenuItem kHelpItems[] = {{IDM_HELP, "Help", ""}, {IDM_ABOUT, "About", ""}};
constexpr MenuItem kOptionsItems[] = {
    {IDM_OPTIONS, "OptionsItem", ""}, {IDM_PROGRAMS, "Programs", ""}, {IDM_CHORDS, "Chords", ""}};
// The bar's items by position.
constexpr const char* kBarKeys[] = {"File", "Options", "Help"};

std::string MenuText(const LanguageTexts& texts, const MenuItem& item) {
  return WithAccessKey(texts.Text("MainWindow", item.key)) + item.shortcut;
}

std::string BarText(const LanguageTexts& texts, std::size_t position) {
  return WithAccessKey(texts.Text("MainWindow", kBarKeys[position]));
}

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::string& text) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(menu, item, byPosition, &info);
}

}  // namespace

// Captions are the built-in English ones; the language pack replaces them.
HMENU BuildMainMenu() {
  MenuHandle bar(CreateMenu());
  MenuHandle file(CreatePopupMenu());
  MenuHandle help(CreatePopupMenu());
  MenuHandle options(CreatePopupMenu());
  if (!bar || !file || !help || !options) throw AppError("CreateMenu failed");
  const LanguageTexts english;
  for (const MenuItem& item : kFileItems)
    AppendMenuA(file.get(), MF_STRING, item.id, MenuText(english, item).c_str());
  for (const MenuItem& item : kOptionsItems)
    AppendMenuA(options.get(), MF_STRING, item.id, MenuText(english, item).c_str());
  for (const MenuItem& item : kHelpItems)
    AppendMenuA(help.get(), MF_STRING, item.id, MenuText(english, item).c_str());
  // The bar owns its submenus from here on.
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file.release()),
              BarText(english, 0).c_str());
  // Options holds the options window, the programs' rules and the chords.
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(options.release()),
              BarText(english, 1).c_str());
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(help.release()),
              BarText(english, 2).c_str());
  return bar.release();
}

void TranslateMainMenu(HMENU bar, const LanguageTexts& texts) {
  for (UINT i = 0; i < std::size(kBarKeys); ++i) SetMenuText(bar, i, true, BarText(texts, i));
  for (const MenuItem& item : kFileItems) SetMenuText(bar, item.id, false, MenuText(texts, item));
  for (const MenuItem& item : kHelpItems) SetMenuText(bar, item.id, false, MenuText(texts, item));
  for (const MenuItem& item : kOptionsItems)
    SetMenuText(bar, item.id, false, MenuText(texts, item));
}

namespace {

// The profile dialogs of File/Open and File/Save, opening in the current
// profile's folder. Open accepts names of files that do not exist (they load
// as empty profiles); Save overwrites without asking.
std::optional<std::string> AskProfilePath(HWND owner, const std::string& current, bool save) {
  const FileDialogRequest request{
      .owner = owner, .filter = "Ini Files|*.ini", .initialPath = current};
  return save ? AskSaveFile(request) : AskOpenFile(request);
}

}  // namespace

// A cancelled dialog keeps IniPath, and the load or save still runs on it:
// Open reloads the current profile, Save writes it back. With no current
// profile yet there is nothing to reload or write back, so nothing happens
// (rather than loading or saving a file named by an empty path).
void TMainFrm::MOpenClick() {
  if (auto chosen = AskProfilePath(Handle(), IniPath, false))
    IniPath = std::move(*chosen);
  else if (IniPath.empty())
    return;
  LeaveProfile();
  LoadProfileFile(Bindings, IniPath, 0, this);
  ShowLoadedProfile();
  ChoseProfile(IniPath);
}

// While a rule's profile is in force, Save writes that profile: the user's
// own stays as it was, and stays the one the next start loads.
void TMainFrm::MSaveClick() {
  const bool ruled = Programs.RuleInForce();
  std::string path = ruled ? Programs.InForce() : IniPath;
  if (auto chosen = AskProfilePath(Handle(), path, true))
    path = std::move(*chosen);
  else if (path.empty())
    return;
  path = WithIniExtension(path);
  if (!ruled) IniPath = path;
  SaveProfileFile(Bindings, path, !ruled);
  Programs.Saved(path);
}

void TMainFrm::MExitClick() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainFrm::MOptionsClick() {
  Windows.OptionsFrm->Show();
  EnableWindow(Handle(), FALSE);  // the options window enables it again when it closes
}

void TMainFrm::MProgramsClick() {
  Windows.ProgramsDlg->Show();
  EnableWindow(Handle(), FALSE);  // the programs dialog enables it again when it closes
}

void TMainFrm::MChordsClick() {
  Windows.ChordsDlg->Show();
  EnableWindow(Handle(), FALSE);  // the chords dialog enables it again when it closes
}

void TMainFrm::MHelpClick() { Windows.HelpFrm->Show(); }

void TMainFrm::MAboutClick() {
  Windows.AboutBox->Show();
  EnableWindow(Handle(), FALSE);  // the About window enables it again when it closes
}

void TMainFrm::OnCommand(int id) {
  switch (id) {
    case IDM_OPEN: MOpenClick(); break;
    case IDM_SAVE: MSaveClick(); break;
    case IDM_EXIT: MExitClick(); break;
    case IDM_OPTIONS: MOptionsClick(); break;
    case IDM_PROGRAMS: MProgramsClick(); break;
    case IDM_CHORDS: MChordsClick(); break;
    case IDM_HELP: MHelpClick(); break;
    case IDM_ABOUT: MAboutClick(); break;
  }
}

bool TMainFrm::TranslateShortcut(MSG& msg) {
  if (!shortcuts_ || !Handle()) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  return TranslateAcceleratorA(Handle(), shortcuts_.get(), &msg) != 0;
}

}  // namespace vantrel
