// The yardstick of the open benchmark: a bare Win32 program that opens one
// window holding a tree view and, given a document, inserts one item per
// row in the document's shape, as plainly as the control allows (redraw
// off, each item appended to its parent), then paints and names itself
// "bare tree ready". Without a document it only opens its window: the
// start-up of the smallest program. With LUMVIK_TRACE naming a file, it
// writes there when its tree is painted, as Lumvik does.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/startup_trace_win32.h"

namespace {

// The value of `name="..."` in a line of the document, or "".
std::string Attribute(const std::string& line, const std::string& name) {
  const std::size_t at = line.find(" " + name + "=\"");
  if (at == std::string::npos) return {};
  const std::size_t from = at + name.size() + 3;
  const std::size_t to = line.find('"', from);
  return to == std::string::npos ? std::string() : line.substr(from, to - from);
}

void InsertRows(HWND tree, const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::string line;
  std::vector<HTREEITEM> parents;  // the last item at each depth
  ::SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
  while (std::getline(file, line)) {
    const std::string level = Attribute(line, "level");
    if (level.empty()) continue;
    const auto depth = static_cast<std::size_t>(std::stoul(level));
    std::string name = Attribute(line, "nom");
    TVINSERTSTRUCTA insert{};
    // A row deeper than the one above hangs under the nearest shallower one.
    const std::size_t above = std::min(depth, parents.size());
    insert.hParent = above == 0 ? TVI_ROOT : parents[above - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = name.data();
    auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    parents.resize(above + 1);
    parents.back() = item;
  }
  ::SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  HWND frame = ::CreateWindowExA(0, "STATIC", "bare tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 800, 600, nullptr, nullptr, nullptr, nullptr);
  HWND tree =
      ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                        WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 10,
                        60, 330, 510, frame, nullptr, nullptr, nullptr);
  if (__argc > 1) InsertRows(tree, __argv[1]);
  ::UpdateWindow(frame);
  ::UpdateWindow(tree);
  lumvik::StartupFinished("tree painted");
  ::SetWindowTextA(frame, "bare tree ready");
  MSG message;
  while (::IsWindow(frame) && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
