#pragma once
#include "config/BindingEditor.h"
#include "config/EditorHost.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// Base of the dialogs that edit one entry (key, mouse, profile list). T
// provides FormShow (run before each showing), btnCancelClick, and
// FocusOnShow (the control that has the focus when it shows). Shown modeless
// while the main window is disabled; every way out ends the editing and
// gives the main window back, and any way out but its own buttons (closed
// from outside, or by the program going to the tray) acts as Cancel.
template <class T>
class EditorDialog : public ShellForm<T> {
 public:
  void Show() override {
    static_cast<T*>(this)->FormShow();
    ShellForm<T>::Show();
    SetFocus(static_cast<T*>(this)->FocusOnShow());
  }

  void FormClose() {
    if (this->Visible()) static_cast<T*>(this)->btnCancelClick();
  }

 protected:
  void CreateEditor(const FormParams& params, EditorHost& host, const KeptTexts& texts) {
    host_ = &host;
    this->CreateForm(params);
    this->controls_.SetFont(texts.FontName, texts.FontCharset);
  }

  EntryEditor& Editor() { return host_->Editing(); }
  EditorHost& Host() { return *host_; }

  // Enables the main window, then hides the dialog. The next editing is of
  // an entry's own action unless the action dialog chooses a part again.
  void Finish() {
    Editor().EditPart = EntryEditor::Part::Press;
    ShellForm<T>::FormClose();
  }

 private:
  EditorHost* host_ = nullptr;
};

}  // namespace vantrel
