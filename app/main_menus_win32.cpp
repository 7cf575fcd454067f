// The main window's menus: the menu bar with its shortcuts shown, the two
// pop-up menus of the tree, and the shortcut table itself.
#include <algorithm>
#include <utility>

#include "app/main_window_win32.h"
#include "config/recent_files.h"
#include "config/text_numbers.h"

namespace lumvik {

namespace {

void AppendItem(HMENU menu, int command, const std::string& text) {
  ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
}

void AppendSeparator(HMENU menu) { ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

}  // namespace

void MainWindow::BuildPopupMenus(const TextTable& texts) {
  category_popup_.reset(::CreatePopupMenu());
  if (category_popup_) {
    HMENU menu = category_popup_.get();
    AppendItem(menu, kCmdRenameCategory, texts[63]);
    AppendSeparator(menu);
    AppendItem(menu, kCmdDeleteCategory, texts[87]);
    AppendSeparator(menu);
    AppendItem(menu, kCmdAddCategory, texts[6]);
    AppendItem(menu, kCmdAddSubCategory, texts[7]);
    AppendItem(menu, kCmdAddTask, texts[8]);
    if (HMENU sorts = ::CreatePopupMenu()) {
      for (int sort = 0; sort < kSortCount; ++sort) {
        AppendItem(sorts, kCmdFirstSort + sort, texts[kTextSortByName + sort]);
      }
      AppendSeparator(menu);
      // The pop-up menu owns the submenu from here on.
      ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sorts),
                    texts[kTextSortContents].c_str());
    }
  }
  task_popup_.reset(::CreatePopupMenu());
  if (task_popup_) {
    HMENU menu = task_popup_.get();
    AppendItem(menu, kCmdRenameTask, texts[63]);
    AppendSeparator(menu);
    AppendItem(menu, kCmdDeleteTask, texts[87]);
  }
}

void MainWindow::ShowViewChecks(const ViewSettings& view) {
  const HMENU bar = ::GetMenu(window_.get());
  for (const auto& [command, on] :
       {std::pair(kCmdHideFinished, view.hide_finished), std::pair(kCmdOnlyDue, view.only_due),
        std::pair(kCmdOnlyUrgent, view.only_urgent)}) {
    ::CheckMenuItem(bar, static_cast<UINT>(command),
                    MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  }
}

void MainWindow::EnableCommand(int command, bool enabled) {
  ::EnableMenuItem(::GetMenu(window_.get()), static_cast<UINT>(command),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::BuildMenus(const TextTable& texts) {
  BuildPopupMenus(texts);
  UniqueMenu replaced(::GetMenu(window_.get()));
  BuildMenuBar(texts);
  if (::GetMenu(window_.get()) == replaced.get()) replaced.release();  // no new bar was made
}

void MainWindow::BuildMenuBar(const TextTable& texts) {
  HMENU bar = ::CreateMenu();
  if (bar == nullptr) return;
  recent_files_shown_ = false;
  HMENU file = ::CreatePopupMenu();
  AppendItem(file, kCmdNew, texts[1] + "\tCtrl+N");
  AppendItem(file, kCmdOpen, texts[2] + "\tCtrl+O");
  AppendItem(file, kCmdSave, texts[3] + "\tCtrl+S");
  AppendItem(file, kCmdSaveAs, texts[4]);
  AppendItem(file, kCmdExport, texts[kTextExport]);
  AppendItem(file, kCmdPrint, texts[kTextPrint]);
  AppendSeparator(file);
  AppendItem(file, kCmdOptions, texts[68] + "\tCtrl+P");
  AppendSeparator(file);
  AppendItem(file, kCmdQuit, texts[5] + "\tCtrl+Q");
  HMENU edit = ::CreatePopupMenu();
  AppendItem(edit, kCmdUndo, texts[kTextUndo] + "\tCtrl+Z");
  AppendItem(edit, kCmdRedo, texts[kTextRedo] + "\tCtrl+Y");
  AppendSeparator(edit);
  AppendItem(edit, kCmdFind, texts[kTextFind] + "\tCtrl+F");
  AppendItem(edit, kCmdFindNext, texts[kTextFindNext] + "\tF3");
  AppendItem(edit, kCmdFindPrevious, texts[kTextFindPrevious] + "\tShift+F3");
  AppendItem(edit, kCmdNextOverdue, texts[kTextNextOverdue] + "\tCtrl+J");
  HMENU view = ::CreatePopupMenu();
  AppendItem(view, kCmdHideFinished, texts[kTextHideFinished] + "\tCtrl+H");
  AppendItem(view, kCmdOnlyDue, texts[kTextOnlyDue] + "\tCtrl+D");
  AppendItem(view, kCmdOnlyUrgent, texts[kTextOnlyUrgent] + "\tCtrl+U");
  AppendSeparator(view);
  AppendItem(view, kCmdShowEverything, texts[kTextShowEverything] + "\tCtrl+Shift+H");
  HMENU help = ::CreatePopupMenu();
  AppendItem(help, kCmdHelp, texts[40] + "\tF1");
  AppendSeparator(help);
  AppendItem(help, kCmdWebSite, texts[41] + "\tF5");
  AppendItem(help, kCmdFeedback, texts[42] + "\tF6");
  AppendItem(help, kCmdSupportPage, texts[43] + "\tF7");
  AppendItem(help, kCmdAbout, texts[62] + "\tF12");
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), texts[0].c_str());
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), texts[kTextEditMenu].c_str());
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), texts[kTextViewMenu].c_str());
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), texts[39].c_str());
  ::SetMenu(window_.get(), bar);  // the window owns its menu bar from here on
}

void MainWindow::ShowRecentFiles(const std::vector<std::string>& paths) {
  HMENU file = ::GetSubMenu(::GetMenu(window_.get()), 0);
  if (file == nullptr) return;
  for (int k = 0; k < kRecentFileCount; ++k) {
    ::DeleteMenu(file, static_cast<UINT>(kCmdFirstRecentFile + k), MF_BYCOMMAND);
  }
  const auto quit_position = [file] {
    for (int position = ::GetMenuItemCount(file) - 1; position >= 0; --position) {
      if (::GetMenuItemID(file, position) == static_cast<UINT>(kCmdQuit)) return position;
    }
    return ::GetMenuItemCount(file);
  };
  if (std::exchange(recent_files_shown_, false)) {
    ::DeleteMenu(file, static_cast<UINT>(quit_position() - 1), MF_BYPOSITION);
  }
  const int count = std::min(static_cast<int>(paths.size()), kRecentFileCount);
  if (count == 0) return;
  int position = quit_position();
  for (int k = 0; k < count; ++k) {
    ::InsertMenuA(file, static_cast<UINT>(position++), MF_BYPOSITION | MF_STRING,
                  static_cast<UINT_PTR>(kCmdFirstRecentFile + k),
                  RecentFileMenuText(k + 1, paths[static_cast<std::size_t>(k)]).c_str());
  }
  ::InsertMenuA(file, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  recent_files_shown_ = true;
}

void MainWindow::BuildAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY | FCONTROL, 'N', kCmdNew},
      {FVIRTKEY | FCONTROL, 'O', kCmdOpen},
      {FVIRTKEY | FCONTROL, 'S', kCmdSave},
      {FVIRTKEY | FCONTROL, 'P', kCmdOptions},
      {FVIRTKEY | FCONTROL, 'Q', kCmdQuit},
      {FVIRTKEY, VK_F1, kCmdHelp},
      {FVIRTKEY, VK_F5, kCmdWebSite},
      {FVIRTKEY, VK_F6, kCmdFeedback},
      {FVIRTKEY, VK_F7, kCmdSupportPage},
      {FVIRTKEY, VK_F12, kCmdAbout},
      {FVIRTKEY, VK_DELETE, kCmdDeleteAsking},
      {FVIRTKEY | FCONTROL, 'Z', kCmdUndo},
      {FVIRTKEY | FCONTROL, 'Y', kCmdRedo},
      {FVIRTKEY | FCONTROL | FSHIFT, 'Z', kCmdRedo},
      {FVIRTKEY | FCONTROL, 'F', kCmdFind},
      {FVIRTKEY, VK_F3, kCmdFindNext},
      {FVIRTKEY | FSHIFT, VK_F3, kCmdFindPrevious},
      {FVIRTKEY | FCONTROL, 'J', kCmdNextOverdue},
      {FVIRTKEY | FCONTROL, 'H', kCmdHideFinished},
      {FVIRTKEY | FCONTROL, 'D', kCmdOnlyDue},
      {FVIRTKEY | FCONTROL, 'U', kCmdOnlyUrgent},
      {FVIRTKEY | FCONTROL | FSHIFT, 'H', kCmdShowEverything},
  };
  accelerators_.reset(::CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
  events_.SetAccelerators(window_.get(), accelerators_.get());

  // In a text box Insert and its companions edit text, and Alt with an
  // arrow opens a list: these keys are the tree's alone.
  ACCEL tree_keys[] = {
      {FVIRTKEY, VK_INSERT, kCmdKeyAddTask},
      {FVIRTKEY | FCONTROL, VK_INSERT, kCmdKeyAddSubCategory},
      {FVIRTKEY | FSHIFT, VK_INSERT, kCmdKeyAddCategory},
      {FVIRTKEY, VK_F2, kCmdRenameTask},
      {FVIRTKEY | FALT, VK_UP, kCmdMoveUp},
      {FVIRTKEY | FALT, VK_DOWN, kCmdMoveDown},
      {FVIRTKEY | FALT, VK_RIGHT, kCmdMoveIn},
      {FVIRTKEY | FALT, VK_LEFT, kCmdMoveOut},
      {FVIRTKEY | FSHIFT, VK_F10, kCmdRowMenu},
      {FVIRTKEY, VK_APPS, kCmdRowMenu},
  };
  tree_keys_.reset(::CreateAcceleratorTableA(tree_keys, static_cast<int>(std::size(tree_keys))));
  events_.SetControlKeys(rows_->tree(), tree_keys_.get());
}

}  // namespace lumvik
