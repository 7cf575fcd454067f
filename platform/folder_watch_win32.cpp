#include "platform/folder_watch_win32.h"

namespace lumvik {

namespace {

struct ChangeNotificationTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE change) { ::FindCloseChangeNotification(change); }
};
using UniqueChangeNotification = Unique<HANDLE, ChangeNotificationTraits>;

// A file written, replaced, renamed or removed; sync services do all four.
constexpr DWORD kChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

}  // namespace

FolderWatch::FolderWatch(HWND window, UINT message) : window_(window), message_(message) {}

FolderWatch::~FolderWatch() { Stop(); }

void FolderWatch::Watch(const std::string& folder) {
  if (folder == folder_) return;
  Stop();
  folder_ = folder;
  if (folder.empty()) return;
  UniqueChangeNotification change(::FindFirstChangeNotificationA(folder.c_str(), FALSE, kChanges));
  stop_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!change || !stop_) return;
  waiter_ = std::thread(
      [change = std::move(change), stop = stop_.get(), window = window_, message = message_] {
        const HANDLE waits[] = {stop, change.get()};
        while (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
          ::PostMessageA(window, message, 0, 0);
          if (!::FindNextChangeNotification(change.get())) return;
        }
      });
}

void FolderWatch::Stop() {
  if (waiter_.joinable()) {
    ::SetEvent(stop_.get());
    waiter_.join();
  }
  stop_.reset();
  folder_.clear();
}

}  // namespace lumvik
