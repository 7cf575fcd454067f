// The File menu beyond documents: its recent documents, Export and Print.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "platform/file_io.h"

namespace lumvik {
namespace {

using testing::AskedMessage;

class FileMenuTest : public testing::LumvikAppTest {
 protected:
  // The File menu's items in order: command and text, 0 and "" for a separator.
  std::vector<std::pair<int, std::string>> FileMenu() {
    HMENU file = ::GetSubMenu(::GetMenu(Window()), 0);
    std::vector<std::pair<int, std::string>> items;
    for (int position = 0; position < ::GetMenuItemCount(file); ++position) {
      char text[512] = {};
      ::GetMenuStringA(file, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
      items.emplace_back(static_cast<int>(::GetMenuItemID(file, position)), text);
    }
    return items;
  }
  std::vector<std::pair<int, std::string>> MenuWithRecent(std::vector<std::string> paths) {
    const TextTable& texts = app->texts();
    std::vector<std::pair<int, std::string>> items = {
        {kCmdNew, texts[1] + "\tCtrl+N"},  {kCmdOpen, texts[2] + "\tCtrl+O"},
        {kCmdSave, texts[3] + "\tCtrl+S"}, {kCmdSaveAs, texts[4]},
        {kCmdExport, texts[kTextExport]},  {kCmdPrint, texts[kTextPrint]},
        {0, ""},                           {kCmdOptions, texts[68] + "\tCtrl+P"},
        {0, ""}};
    for (std::size_t k = 0; k < paths.size(); ++k) {
      std::string shown = "&" + std::to_string(k + 1) + " ";
      for (char c : paths[k]) shown += c == '&' ? std::string("&&") : std::string(1, c);
      items.emplace_back(kCmdFirstRecentFile + static_cast<int>(k), shown);
    }
    if (!paths.empty()) items.emplace_back(0, "");
    items.emplace_back(kCmdQuit, texts[5] + "\tCtrl+Q");
    return items;
  }
  std::string Setting(const std::string& key) {
    return IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik)
        .ReadString("RecentFiles", key, "");
  }
};

TEST_F(FileMenuTest, RecentDocumentsStandAboveQuitNewestFirst) {
  const std::string first = SampleFile("first.lvk");
  const std::string second = folder.File("second & more.lvk");
  Start(first);
  EXPECT_EQ(FileMenu(), MenuWithRecent({first}));

  prompt.ThenFile(second);
  Command(kCmdSaveAs);
  EXPECT_EQ(FileMenu(), MenuWithRecent({second, first}));
  EXPECT_EQ(Setting("file1"), second);
  EXPECT_EQ(Setting("file2"), first);

  // Choosing one asks about unsaved changes as Open does.
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  prompt.Then(Answer::No);
  Command(kCmdFirstRecentFile + 1);
  EXPECT_EQ(prompt.asked().back(),
            (AskedMessage{app->texts()[3], app->texts()[kTextUnsavedChanges], Buttons::YesNoCancel}));
  EXPECT_EQ(app->document().file_path, first);
  EXPECT_EQ(app->document().rows.size(), 4u);
  EXPECT_EQ(app->recent_files(), (std::vector<std::string>{first, second}));

  // The options rebuild the menus: the list stays.
  app->ApplySettings();
  EXPECT_EQ(FileMenu(), MenuWithRecent({first, second}));

  // A document that is gone says so and leaves the list, once the user has
  // chosen to leave the changes.
  ASSERT_TRUE(RemoveFile(second));
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  prompt.Then(Answer::Cancel);
  Command(kCmdFirstRecentFile + 1);
  EXPECT_EQ(prompt.asked().back().text, app->texts()[kTextUnsavedChanges]);
  EXPECT_EQ(FileMenu(), MenuWithRecent({first, second}));
  prompt.Then(Answer::No).Then(Answer::Ok);
  Command(kCmdFirstRecentFile + 1);
  EXPECT_EQ(prompt.asked().back(),
            (AskedMessage{"Lumvik", app->texts()[kTextCannotOpenFile], Buttons::Ok}));
  EXPECT_EQ(FileMenu(), MenuWithRecent({first}));
  EXPECT_EQ(Setting("file2"), "");

  // The next start finds the list.
  app.reset();
  Start();
  EXPECT_EQ(app->recent_files(), (std::vector<std::string>{first}));
}

TEST_F(FileMenuTest, ExportWritesTheTypeChosenInTheDialog) {
  Start(SampleFile("home.lvk"));
  prompt.ThenTypedFile(TypedFileName{folder.File("calendar"), 4});
  Command(kCmdExport);
  ASSERT_EQ(prompt.asked_files().size(), 1u);
  EXPECT_EQ(prompt.asked_files()[0].question.title, app->texts()[kTextExportTitle]);
  EXPECT_EQ(prompt.asked_files()[0].question.proposed_name, folder.File("home"));
  const std::optional<std::string> calendar = ReadWholeFile(folder.File("calendar.ics"));
  ASSERT_TRUE(calendar);
  EXPECT_NE(calendar->find("BEGIN:VTODO\r\n"), std::string::npos);
  EXPECT_NE(calendar->find("SUMMARY:Paint the door\r\n"), std::string::npos);

  // The name typed gets its extension: a file there is asked about first.
  ASSERT_TRUE(WriteFileAtomically(folder.File("calendar.ics"), "mine"));
  prompt.ThenTypedFile(TypedFileName{folder.File("calendar"), 4}).Then(Answer::No);
  Command(kCmdExport);
  EXPECT_EQ(prompt.asked().back(),
            (AskedMessage{"Lumvik", app->texts()[kTextReplaceExistingFile], Buttons::YesNo}));
  EXPECT_EQ(ReadWholeFile(folder.File("calendar.ics")), "mine");
  prompt.ThenTypedFile(TypedFileName{folder.File("calendar"), 4}).Then(Answer::Yes);
  Command(kCmdExport);
  EXPECT_NE(ReadWholeFile(folder.File("calendar.ics")), "mine");

  prompt.ThenTypedFile(TypedFileName{folder.File("no such folder\\table"), 2});
  prompt.Then(Answer::Ok);
  Command(kCmdExport);
  EXPECT_EQ(prompt.asked().back(),
            (AskedMessage{"Lumvik", app->texts()[kTextCannotExport], Buttons::Ok}));
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(FileMenuTest, PrintOpensAPrintablePageInTheBrowser) {
  Start(SampleFile("home.lvk"));
  Command(kCmdPrint);
  ASSERT_EQ(prompt.opened().size(), 1u);
  const std::string& page = prompt.opened()[0];
  EXPECT_EQ(page.substr(page.size() - 5), ".html");
  const std::optional<std::string> html = ReadWholeFile(page);
  ASSERT_TRUE(html);
  EXPECT_NE(html->find("<title>home.lvk</title>"), std::string::npos);
  EXPECT_NE(html->find("Paint the door"), std::string::npos);
  EXPECT_TRUE(RemoveFile(page));

  // Without a browser to open it in, the user is told.
  prompt.SetOpens(false);
  prompt.Then(Answer::Ok);
  Command(kCmdPrint);
  EXPECT_EQ(prompt.asked().back(),
            (AskedMessage{"Lumvik", app->texts()[kTextCannotPrint], Buttons::Ok}));
  EXPECT_TRUE(RemoveFile(prompt.opened().back()));
}

}  // namespace
}  // namespace lumvik
