#pragma once
#include <exception>
#include <string>

namespace vantrel {

// The application title: the task-bar text and the caption of error boxes.
inline constexpr char kAppTitle[] = "Vantrel";

// Shows an error to the user: a stop-icon box with an OK button, captioned
// with the application title. The text gets a full stop (WithFullStop).
// Never throws: these are called where an exception has just been caught.
void ShowError(const std::string& text) noexcept;
void ShowError(const std::exception& error) noexcept;
void ShowUnknownError() noexcept;

// The platform's own text for a system error code ("File not found" for a
// missing file), without its line break and full stop.
std::string SystemErrorText(unsigned long code);

}  // namespace vantrel
