// The recovery copy as a user meets it: kept soon after a change, gone once
// the changes are saved or dropped, kept when Windows ends the session, and
// offered back at the next start.
#include <gtest/gtest.h>

#include <string>

#include "app/recovery_keeper.h"
#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "document/testing/edited_document.h"
#include "platform/file_io.h"

namespace lumvik {
namespace {

using testing::LumvikAppTest;

class RecoveryTest : public LumvikAppTest {
 protected:
  // The recovery copies in the folder, read back, after waiting up to
  // `seconds` for there to be `count` of them.
  std::vector<RecoveredDocument> Copies(std::size_t count, int seconds = 0) {
    for (DWORD start = ::GetTickCount();;) {
      if (app) app->HandlePendingEvents();
      std::vector<RecoveredDocument> copies = CopiesNow();
      if (copies.size() == count || ::GetTickCount() - start > static_cast<DWORD>(seconds) * 1000) {
        return copies;
      }
      ::Sleep(50);
    }
  }
  // The copies in the folder as they are, with no message delivered first.
  std::vector<RecoveredDocument> CopiesNow() {
    std::vector<RecoveredDocument> copies;
    for (const std::string& name : FileNamesIn(RecoveryFolder())) {
      if (!name.ends_with(".lvkr")) continue;
      if (auto copy =
              ReadRecoveryText(ReadWholeFile(JoinPath(RecoveryFolder(), name)).value_or(""))) {
        copies.push_back(std::move(*copy));
      }
    }
    return copies;
  }
  // The one copy, once it holds `rows` rows, or as it is after 5 seconds.
  std::vector<RecoveredDocument> CopyWithRows(std::size_t rows) {
    std::vector<RecoveredDocument> copies = Copies(1);
    for (DWORD start = ::GetTickCount();
         copies.size() == 1 && copies[0].document.rows.size() != rows &&
         ::GetTickCount() - start < 5000;
         copies = Copies(1)) {
      ::Sleep(50);
    }
    return copies;
  }
  // A copy left by a Lumvik that was killed.
  void LeaveCopy(const std::string& name, const Document& document, const LocalDateTime& when) {
    MakeFolder(RecoveryFolder());
    ASSERT_TRUE(WriteFileAtomically(JoinPath(RecoveryFolder(), name + ".lvkr"),
                                    RecoveryText(document, "Lumvik", when)));
  }
  Document Edited(const std::string& path) {
    Document document = testing::SampleDocument();
    document.tasks.Edit(1).nom = "Dig deeper";
    document.file_path = path;
    return document;
  }
};

TEST_F(RecoveryTest, ACopyFollowsTheChangesWithinSecondsAndGoesWithTheSave) {
  const std::string path = SampleFile("list.lvk");
  Start(path);
  EXPECT_TRUE(Copies(0).empty()) << "nothing unsaved, nothing kept";
  app->window().rows().Select(2);  // Garden
  Command(kCmdAddTask);
  std::vector<RecoveredDocument> copies = Copies(1, 5);
  ASSERT_EQ(copies.size(), 1u) << "kept no later than 5 seconds after the change";
  EXPECT_EQ(copies[0].path, path);
  EXPECT_TRUE(testing::SameRowsAndRecords(copies[0].document, app->document()));

  Command(kCmdSave);
  EXPECT_TRUE(Copies(0, 5).empty()) << "saved changes leave nothing to recover";
  Command(kCmdAddTask);
  Command(kCmdAddTask);
  ASSERT_EQ(Copies(1, 5).size(), 1u);
  // An undone change leaves the copy too: what was undone never comes back.
  Command(kCmdUndo);
  copies = CopyWithRows(6);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].document.rows.size(), 6u);
  Command(kCmdUndo);  // back to what the file holds
  EXPECT_TRUE(Copies(0, 5).empty());
}

TEST_F(RecoveryTest, ACopyThatCouldNotBeWrittenIsWrittenOnceItCanBe) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  ASSERT_EQ(Copies(1, 5).size(), 1u);
  std::string copy;
  for (const std::string& name : FileNamesIn(RecoveryFolder())) {
    if (name.ends_with(".lvkr")) copy = JoinPath(RecoveryFolder(), name);
  }
  {
    const testing::ReadOnlyFile held(copy);  // the copy cannot be replaced for a while
    Command(kCmdAddTask);
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 3000) {
      app->HandlePendingEvents();
      ::Sleep(50);
    }
    const std::vector<RecoveredDocument> kept = Copies(1);
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_EQ(kept[0].document.rows.size(), 5u);
  }
  const std::vector<RecoveredDocument> copies = CopyWithRows(6);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].document.rows.size(), 6u) << "written on a later tick";
}

TEST_F(RecoveryTest, QuittingCleanlyLeavesNoCopyAndEndingTheSessionKeepsOne) {
  const std::string path = SampleFile("list.lvk");
  Start(path);
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  ASSERT_EQ(Copies(1, 5).size(), 1u);
  prompt.Then(Answer::No);  // the changes go
  Command(kCmdQuit);
  ASSERT_TRUE(app->quitting());
  app->ShutDown();
  app.reset();
  EXPECT_TRUE(Copies(0).empty());

  Start(path);
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  // Windows ends the session at once: the copy is there as soon as the
  // program has answered, with the document's path and its last change.
  EXPECT_EQ(::SendMessageA(Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
  const std::vector<RecoveredDocument> copies = Copies(1);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].document.rows.size(), 5u);
  EXPECT_EQ(IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik)
                .ReadString("Application", "lastfile", ""),
            path);
  ::SendMessageA(Window(), WM_ENDSESSION, TRUE, 0);
}

TEST_F(RecoveryTest, AToolbarThatCannotBeMadeAgainEndsTheProgramWithItsChangesKept) {
  Start(SampleFile("list.lvk"));
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  app->window().SetToolbarClass("LumvikNoSuchToolbar");
  app->ApplySettings();
  EXPECT_TRUE(app->quitting());
  // There at once, long before the copy that follows a change is due.
  const std::vector<RecoveredDocument> copies = CopiesNow();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].document.rows.size(), 5u);
}

TEST_F(RecoveryTest, TheNextStartOffersTheNewestCopyBackAsUnsavedChanges) {
  const std::string path = SampleFile("list.lvk");
  LeaveCopy("older", Edited(""), {2026, 12, 7, 9, 0, 0});
  LeaveCopy("newer", Edited(path), {2026, 12, 8, 9, 0, 0});
  prompt.Then(Answer::Yes);
  Start();
  ASSERT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(prompt.asked()[0].title, app->texts()[kTextProgramName]);
  EXPECT_EQ(prompt.asked()[0].text,
            app->texts()[kTextRecoverChanges] + "\r\n\r\n" + path + "\r\n2026-12-08 09:00:00");
  EXPECT_EQ(prompt.asked()[0].buttons, Buttons::YesNo);
  EXPECT_TRUE(testing::SameRowsAndRecords(app->document(), Edited(path)));
  EXPECT_EQ(app->document().file_path, path);
  EXPECT_EQ(app->document().saved, 0) << "the changes are not in the file yet";
  EXPECT_EQ(Title(), app->texts()[kTextProgramName] + " - " + path);
  // The older copy waits; the taken one is now this program's own.
  const std::vector<RecoveredDocument> copies = Copies(2);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_NE(copies[0].path, copies[1].path);

  prompt.Then(Answer::Yes);  // save the changes, then quit
  Command(kCmdQuit);
  app->ShutDown();
  app.reset();
  EXPECT_EQ(ReadDocument(path, "Lumvik").document.tasks[1].nom, "Dig deeper");

  // The older copy, of a new document, turned down: it goes for good.
  prompt.Then(Answer::No);
  Start();
  EXPECT_EQ(prompt.asked().back().text, app->texts()[kTextRecoverChanges] + "\r\n\r\n" +
                                            app->texts()[kTextUntitledDocument] +
                                            "\r\n2026-12-07 09:00:00");
  EXPECT_EQ(app->document().saved, 1) << "the first document instead";
  EXPECT_TRUE(Copies(0).empty());
}

TEST_F(RecoveryTest, ACopyThatAnotherRunningLumvikHoldsIsNeverOffered) {
  RecoveryKeeper other(RecoveryFolder(), "other");
  other.Keep(RecoveryText(Edited(""), "Lumvik", LocalNow()));
  other.Flush();
  Start();  // an unscripted question would fail the test
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(Copies(1).size(), 1u);
}

}  // namespace
}  // namespace lumvik
