#include "app/QEXhelpwndcode.h"

#include "base/IniFile_win.h"
#include "bindings/Binding.h"
#include "resource.h"
#include "ui/ErrorBox_win.h"

namespace vantrel {

namespace {

constexpr COLORREF kMemoColour = RGB(58, 110, 165);

// Reads the whole file; on a failure, the platform's text of it along with
// whatever was read before.
std::string ReadText(const std::string& path, std::string& error) {
  std::string text;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = SystemErrorText(GetLastError());
    return text;
  }
  char buffer[4096];
  DWORD got = 0;
  for (;;) {
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      error = SystemErrorText(GetLastError());
      break;
    }
    if (got == 0) break;
    text.append(buffer, got);
  }
  CloseHandle(file);
  return text;
}

}  // namespace

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

void THelpFrm::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "THelpFrm",
                         .caption = "Help",
                         .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                         .clientWidth = 369,
                         .clientHeight = 199,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain});
  controls_.SetFont("Arial", DEFAULT_CHARSET);
  brush_.reset(CreateSolidBrush(kMemoColour));
  fsMemo1 = controls_.Add(Handle(), WS_EX_CLIENTEDGE, "EDIT", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                              ES_AUTOVSCROLL,
                          {8, 8, 353, 185}, IDC_FSMEMO1);
  SendMessageA(fsMemo1, EM_SETLIMITTEXT, 0, 0);  // no 30,000-character cap on a long readme
}

void THelpFrm::ApplyLanguage(const LanguageTexts& texts) {
  SetText(Handle(), texts.Text("HelpWindow", "Caption"));
}

LRESULT THelpFrm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A read-only edit box asks for its colours as a static control does.
  if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) &&
      reinterpret_cast<HWND>(lParam) == fsMemo1) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, kMemoColour);
    return reinterpret_cast<LRESULT>(brush_.get());
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

// Shown already, the window keeps its lines: they are read once per showing.
void THelpFrm::Show() {
  if (!Visible()) FormShow();
  ShellForm::Show();
  SetFocus(fsMemo1);  // the keys scroll the text at once
}

// readme.txt beside the executable, wherever the program was started from.
void THelpFrm::FormShow() {
  std::string error;
  const std::string text = ReadText(FileNamePart(ExePath(), "path") + "readme.txt", error);
  AddLines(TextLines(text));
  if (!error.empty()) ShowError(error);
}

void THelpFrm::AddLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) {
    if (!joined.empty()) joined += "\r\n";
    joined += line;
  }
  // Appended, as lines are added to the box one by one.
  const auto end = static_cast<WPARAM>(GetWindowTextLengthA(fsMemo1));
  if (end > 0 && !joined.empty()) joined.insert(0, "\r\n");
  SendMessageA(fsMemo1, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageA(fsMemo1, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(joined.c_str()));
  SendMessageA(fsMemo1, EM_SETSEL, 0, 0);
}

void THelpFrm::FormClose() {
  SetWindowTextA(fsMemo1, "");
  ShellForm::FormClose();
}

}  // namespace vantrel
