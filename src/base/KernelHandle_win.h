#pragma once
// A kernel object's handle (an event, a process, a token), closed when its
// owner lets go of it.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace vantrel {

struct KernelHandleClose {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using KernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelHandleClose>;

}  // namespace vantrel
