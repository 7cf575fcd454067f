// A library planted beside the programs under the name of a system library,
// as a downloaded file could lie beside them: once loaded, it leaves a file
// of its own name followed by ".loaded" beside itself for the test to find.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  constexpr char kMark[] = ".loaded";
  char path[MAX_PATH + sizeof kMark] = {};
  const DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  ::lstrcatA(path, kMark);
  HANDLE mark =
      ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark != INVALID_HANDLE_VALUE) ::CloseHandle(mark);
  return TRUE;
}
