#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

#include "lang/LanguageTexts.h"
#include "ui/Window_win.h"

namespace vantrel {

// A secondary window that a caller may need to exist before it shows (to
// caption it, for instance).
class OnDemandForm : public Form {
 public:
  // The window's handle, the window being created first if it was not yet.
  virtual HWND Created() = 0;

 protected:
  ~OnDemandForm() = default;
};

// A secondary window created the first time it is needed rather than at
// start-up: most runs never open it, and creating it costs start-up time.
// Until then it has no handle, is never visible and closing it does nothing.
// Created late, it takes the language last applied to it, and so comes up as
// it would have had it been created at start-up and translated since.
template <class T>
class LazyForm final : public OnDemandForm, public LanguageUser {
 public:
  // `create` runs T's own creation, with the owner and links it needs.
  explicit LazyForm(std::function<void(T&)> create) : create_(std::move(create)) {}
  LazyForm(const LazyForm&) = delete;
  LazyForm& operator=(const LazyForm&) = delete;

  bool Exists() const { return created_; }
  // The window, created now if need be.
  T& Get() {
    if (!created_) Create();
    return window_;
  }

  HWND Created() override { return Get().Handle(); }
  HWND Handle() const noexcept override { return window_.Handle(); }
  void Show() override { Get().Show(); }
  void Close() override {
    if (created_) window_.Close();
  }
  bool Visible() const override { return created_ && window_.Visible(); }
  void ApplyLanguage(const LanguageTexts& texts) override {
    if constexpr (std::is_base_of_v<LanguageUser, T>) {
      if (created_)
        window_.ApplyLanguage(texts);
      else
        language_ = texts;
    }
  }

 private:
  void Create() {
    try {
      create_(window_);
    } catch (...) {
      // Half made, it would be shown half made the next time.
      if (window_.Handle()) DestroyWindow(window_.Handle());
      throw;
    }
    created_ = true;
    if constexpr (std::is_base_of_v<LanguageUser, T>) {
      if (language_) window_.ApplyLanguage(*language_);
      language_.reset();
    }
  }

  T window_;
  std::function<void(T&)> create_;
  std::optional<LanguageTexts> language_;
  bool created_ = false;
};

}  // namespace vantrel
