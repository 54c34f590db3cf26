#pragma once
#include <windows.h>

namespace vantrel::test {

// The processes this one starts from now on, counted even once they have
// ended: this process joins a job of its own, which counts every process
// that ever belonged to it, and whatever it starts belongs to it too.
class StartedProcesses {
 public:
  StartedProcesses() : job_(CreateJobObjectA(nullptr, nullptr)) {
    if (job_ && AssignProcessToJobObject(job_, GetCurrentProcess())) base_ = Total();
  }
  ~StartedProcesses() {
    if (job_) CloseHandle(job_);
  }
  StartedProcesses(const StartedProcesses&) = delete;
  StartedProcesses& operator=(const StartedProcesses&) = delete;

  // How many were started; ~0u when the count cannot be kept.
  DWORD Count() const { return base_ == 0 ? ~0u : Total() - base_; }

 private:
  DWORD Total() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof info,
                                   nullptr))
      return 0;
    return info.TotalProcesses;
  }

  HANDLE job_;
  DWORD base_ = 0;
};

}  // namespace vantrel::test
