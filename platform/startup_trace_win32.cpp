#include "platform/startup_trace_win32.h"

#include <windows.h>
// psapi.h needs the types of windows.h
#include <psapi.h>

#include <cstdio>
#include <memory>

namespace lumvik {

namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

class StartupTrace {
 public:
  StartupTrace() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("LUMVIK_TRACE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    file_.reset(std::fopen(path, "a"));
    if (!file_) return;
    // The performance counter measures between checkpoints; the system
    // clock, beside the process's creation time, places the first one.
    FILETIME created{}, ended{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    ::QueryPerformanceFrequency(&frequency_);
    ::QueryPerformanceCounter(&first_);
    first_ms_ = static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
  }

  void Write(const char* what, bool last) {
    if (!file_) return;
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    const double ms = first_ms_ + static_cast<double>(counter.QuadPart - first_.QuadPart) * 1000.0 /
                                      static_cast<double>(frequency_.QuadPart);
    std::fprintf(file_.get(), "%9.2f\t%s\n", ms, what);
    if (!last) return;
    // What the program holds by then, as the system tells it; looked up
    // here so that no start loads a library for it.
    using MemoryInfo = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    const auto memory_info = reinterpret_cast<MemoryInfo>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (memory_info != nullptr &&
        memory_info(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                    sizeof memory)) {
      std::fprintf(file_.get(), "memory\tworking set %.1f MB, at most %.1f MB, committed %.1f MB\n",
                   static_cast<double>(memory.WorkingSetSize) / 1048576.0,
                   static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0,
                   static_cast<double>(memory.PagefileUsage) / 1048576.0);
    }
    file_.reset();
  }

 private:
  static ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  }

  std::unique_ptr<std::FILE, CloseFile> file_;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER first_{};
  double first_ms_ = 0;
};

StartupTrace& Trace() {
  static StartupTrace trace;
  return trace;
}

}  // namespace

void StartupCheckpoint(const char* what) { Trace().Write(what, false); }

void StartupFinished(const char* what) { Trace().Write(what, true); }

}  // namespace lumvik
