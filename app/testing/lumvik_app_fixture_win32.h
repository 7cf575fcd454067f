// A running Lumvik for window tests: a program folder of delivered files, a
// prompt with scripted answers, and the main window driven through real
// messages and the event queue.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/lumvik_app_win32.h"
#include "config/ini_file.h"
#include "document/document_file.h"
#include "platform/testing/keys_win32.h"
#include "platform/testing/program_folder_win32.h"
#include "platform/testing/scripted_prompt.h"

namespace lumvik::testing {

inline constexpr CalendarDate kToday{2026, 12, 7};

// Home (Paint the door, Garden (Dig)).
inline Document SampleDocument() {
  Document document;
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}, {kCategoryRow, 1, 1}, {kTaskRow, 1, 2}};
  document.categories = {{"Home", "", 0}, {"Garden", "", 0}};
  TaskRecord paint;
  paint.nom = "Paint the door";
  paint.statut = 2;
  paint.importance = 5;
  paint.avancement = 4;
  TaskRecord dig = paint;
  dig.nom = "Dig";
  dig.statut = 4;
  dig.importance = 2;
  dig.avancement = 10;
  document.tasks = {paint, dig};
  return document;
}

class LumvikAppTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.CopyEverythingDelivered(); }

  void Start(const std::string& parameter = "") {
    app = std::make_unique<LumvikApp>(::GetModuleHandleA(nullptr), prompt, registry);
    app->SetPopupMenuShower([this](HWND, HMENU menu, POINT) { popups.push_back(menu); });
    app->SetClock([] { return kToday; });
    app->SetRecoveryFolder(RecoveryFolder());
    ASSERT_TRUE(app->Start(folder.path(), parameter));
    app->HandlePendingEvents();
  }
  // Where this test's Lumvik keeps its recovery copies.
  std::string RecoveryFolder() const { return folder.File("recovery"); }
  HWND Window() { return app->window().window(); }
  HWND Gadget(int number) { return app->window().Gadget(number); }
  void Command(int command) {
    ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    app->HandlePendingEvents();
  }
  std::string SampleFile(const std::string& name) {
    const std::string path = folder.File(name);
    EXPECT_TRUE(WriteDocumentFile(path, SampleDocument(), "Lumvik"));
    return path;
  }
  std::string Title() {
    char title[512] = {};
    ::GetWindowTextA(Window(), title, sizeof title);
    return title;
  }
  void SetSetting(const std::string& key, const std::string& value) {
    IniFile settings = IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik);
    settings.Write("Application", key, value);
    ASSERT_TRUE(settings.Save());
  }
  // A key pressed in `target`, which takes the focus, as the keyboard posts it.
  void Key(HWND target, UINT code, Modifiers held = {}) {
    ::SetFocus(target);
    PostKey(target, code, held);
    app->HandlePendingEvents();
    HoldModifiers({});
  }
  std::string TextOf(int gadget) {
    char text[512] = {};
    ::GetWindowTextA(Gadget(gadget), text, sizeof text);
    return text;
  }
  // Every category opened, so that every row has its item, as when the user
  // expands them all.
  void OpenAllRows() {
    TreeRowView& rows = app->window().rows();
    for (int row = 0; row < rows.Count(); ++row) rows.Expand(row);
  }
  // The number of items the tree holds with every category opened.
  int ItemsOnceAllOpen() {
    OpenAllRows();
    return static_cast<int>(TreeView_GetCount(Gadget(kGadgetTree)));
  }
  // The mouse on a row's label, and the tree's report of a click there. A
  // left click selects the row first, as the tree does when the button goes
  // down.
  void ClickRow(int row, UINT code = NM_CLICK) {
    HWND tree = Gadget(kGadgetTree);
    TreeRowView& rows = app->window().rows();
    RECT label{};
    TreeView_GetItemRect(tree, rows.Item(row), &label, TRUE);
    POINT centre{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ::ClientToScreen(tree, &centre);
    ::SetCursorPos(centre.x, centre.y);
    if (code == static_cast<UINT>(NM_CLICK)) rows.Select(row);
    NMHDR click{tree, static_cast<UINT_PTR>(kGadgetTree), code};
    ::SendMessageA(Window(), WM_NOTIFY, kGadgetTree, reinterpret_cast<LPARAM>(&click));
    app->HandlePendingEvents();
  }
  // Runs `command`, whose window runs an event loop of its own, and plays one
  // step each time that loop has nothing else to do while `open()` says the
  // window is there; the last step should close it. A window left open after
  // the last step fails the test and is ended with `close`.
  void WhileOpen(int command, std::function<bool()> open, std::vector<std::function<void()>> steps,
                 std::function<void()> close) {
    nested_ = {std::move(open), std::move(steps), std::move(close), 0};
    running_ = this;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, &LumvikAppTest::Tick);
    Command(command);
    ::KillTimer(nullptr, timer);
    running_ = nullptr;
    HoldModifiers({});
    EXPECT_EQ(nested_.next, nested_.steps.size()) << "the window closed before its last step";
  }
  RECT PlaceOf(int gadget) {
    RECT place{};
    ::GetWindowRect(Gadget(gadget), &place);
    ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&place), 2);
    return place;
  }

  struct NestedLoop {
    std::function<bool()> open;
    std::vector<std::function<void()>> steps;
    std::function<void()> close;
    std::size_t next = 0;
  };
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    NestedLoop& loop = running_->nested_;
    if (!loop.open()) return;
    if (loop.next < loop.steps.size()) {
      loop.steps[loop.next++]();
      return;
    }
    ADD_FAILURE() << "the window stayed open after the last step";
    loop.close();
  }
  inline static LumvikAppTest* running_ = nullptr;
  NestedLoop nested_;

  TestProgramFolder folder;
  ScriptedPrompt prompt;
  Registry registry;
  std::unique_ptr<LumvikApp> app;
  std::vector<HMENU> popups;
};

}  // namespace lumvik::testing
