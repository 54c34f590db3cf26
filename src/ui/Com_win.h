#pragma once

namespace vantrel {

// COM for the GUI thread, apartment-threaded, set up the first time a
// command needs it and kept until the program ends: the shell asks it of a
// thread that calls ShellExecute (targets that go through shell extensions
// do not start without it), and the file dialogs' shell views use it. Most
// runs never get there, so ole32 and the COM runtime stay out of start-up.
// Without it the command still goes ahead, as it would have anyway.
void EnsureComApartment() noexcept;

}  // namespace vantrel
