// The document's file written elsewhere while Lumvik has it open: shown at
// once, merged with unsaved changes, and never overwritten by Save.
#include <gtest/gtest.h>

#include "app/recovery_keeper.h"
#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/text_numbers.h"
#include "document/testing/edited_document.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace lumvik {
namespace {

using testing::LumvikAppTest;

class ChangesElsewhereTest : public LumvikAppTest {
 protected:
  void Activate() {
    ::SendMessageA(Window(), WM_ACTIVATE, WA_ACTIVE, 0);
    app->HandlePendingEvents();
  }
  // Pixels of the status line in another colour than its background, after
  // the whole window repainted itself.
  int WordPixels() {
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const RECT place = PlaceOf(kGadgetStatusLine);
    HDC dc = ::GetDC(Window());
    const COLORREF background = ::GetPixel(dc, place.right - 1, place.bottom - 1);
    int pixels = 0;
    for (int y = place.top; y < place.bottom; ++y) {
      for (int x = place.left; x < place.right; ++x) pixels += ::GetPixel(dc, x, y) != background;
    }
    ::ReleaseDC(Window(), dc);
    return pixels;
  }
  std::string Status(int text, std::vector<std::string> values) {
    return FillPlaceholders(app->texts()[text], values);
  }
  // The sample as another computer changed it.
  static Document Elsewhere() {
    Document document = testing::SampleDocument();
    document.tasks.Edit(1).statut = 5;  // Dig
    document.rows.push_back({kTaskRow, 2, 1});
    TaskRecord call;
    call.nom = "Call the printer";
    document.tasks.push_back(call);
    return document;
  }
};

TEST_F(ChangesElsewhereTest, AFileChangedElsewhereIsShownAtOnceAsOneStepKeepingTheSelection) {
  const std::string path = SampleFile("list.lvk");
  Start(path);
  app->window().rows().Select(2);  // Garden
  app->HandlePendingEvents();
  ASSERT_TRUE(WriteDocumentFile(path, Elsewhere(), "Lumvik"));
  Activate();
  const Document& document = app->document();
  ASSERT_EQ(document.rows.size(), 5u);
  EXPECT_EQ(document.tasks[static_cast<std::size_t>(document.rows[3].index)].statut, 5);
  EXPECT_EQ(document.saved, 1) << "the document is the file as it stands";
  EXPECT_EQ(app->window().rows().Selection(), 2);
  EXPECT_EQ(TextOf(kGadgetStatusLine), Status(kTextRowsFromElsewhere, {"2"}));
  EXPECT_GT(WordPixels(), 0) << "the words stay when the window repaints";

  Command(kCmdUndo);
  EXPECT_EQ(app->document().rows.size(), 4u);
  EXPECT_EQ(app->document().saved, 0);
  Command(kCmdRedo);
  EXPECT_EQ(app->document().rows.size(), 5u);
  EXPECT_EQ(app->document().saved, 1);
  Activate();  // nothing new: nothing changes
  EXPECT_EQ(app->document().rows.size(), 5u);

  // Merged with unsaved changes, no state of the history is the file any
  // more: undone back to where it was saved, the document still differs.
  app->window().rows().Select(0);
  Command(kCmdAddTask);
  ASSERT_EQ(app->document().rows.size(), 6u);
  Document again = Elsewhere();
  again.tasks.Edit(0).nom = "Paint the red door";
  ASSERT_TRUE(WriteDocumentFile(path, again, "Lumvik"));
  Activate();
  Command(kCmdUndo);
  Command(kCmdUndo);
  EXPECT_EQ(app->document().rows.size(), 5u);
  EXPECT_EQ(app->document().saved, 0);
}

TEST_F(ChangesElsewhereTest, SaveMergesWhatTheFileGainedWithTheUnsavedChanges) {
  const std::string path = SampleFile("list.lvk");
  Start(path);
  app->window().rows().Select(0);  // Home
  Command(kCmdAddTask);
  ASSERT_TRUE(WriteDocumentFile(path, Elsewhere(), "Lumvik"));
  Command(kCmdSave);

  const ReadResult read = ReadDocument(path, "Lumvik");
  ASSERT_EQ(read.status, ReadStatus::Read);
  EXPECT_EQ(
      testing::Outline(read.document),
      "Home0 Paint the door1 Garden1 Dig2 Call the printer1 " + app->texts()[kTextNewTask] + "1");
  EXPECT_EQ(read.document.tasks[1].statut, 5);
  EXPECT_EQ(app->document().saved, 1);
  EXPECT_EQ(TextOf(kGadgetStatusLine), Status(kTextRowsFromElsewhere, {"2"}))
      << "said until the next save";
  Command(kCmdSave);
  EXPECT_EQ(TextOf(kGadgetStatusLine), "");
}

TEST_F(ChangesElsewhereTest, SaveEndsARenameFirstAndNeverWritesOverAFileItCannotRead) {
  const std::string path = SampleFile("list.lvk");
  Start(path);
  TreeRowView& rows = app->window().rows();
  HWND edit = TreeView_EditLabel(Gadget(kGadgetTree), rows.Item(0));
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextA(edit, "House");
  ASSERT_TRUE(WriteDocumentFile(path, Elsewhere(), "Lumvik"));
  {
    // Held by another program that lets no one read it.
    const UniqueFile held(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    prompt.Then(Answer::Ok);
    Command(kCmdSave);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, app->texts()[kTextCannotCreateFile]);
    EXPECT_EQ(app->document().saved, 0);
    EXPECT_EQ(app->document().categories[0].nom, "House") << "the name typed is kept";
  }
  EXPECT_EQ(testing::Outline(ReadDocument(path, "Lumvik").document),
            "Home0 Paint the door1 Garden1 Dig2 Call the printer1");
  Command(kCmdSave);
  EXPECT_EQ(testing::Outline(ReadDocument(path, "Lumvik").document),
            "House0 Paint the door1 Garden1 Dig2 Call the printer1");
}

TEST_F(ChangesElsewhereTest, AnotherLumvikIsSaidAndAChangeInTheFolderIsTakenInUnasked) {
  const std::string path = SampleFile("list.lvk");
  RecoveryKeeper other(RecoveryFolder(), "other Lumvik");
  other.MarkOpen(path);
  Start(path);
  EXPECT_EQ(TextOf(kGadgetStatusLine), app->texts()[kTextOpenInAnotherLumvik]);

  // The window is never activated: the folder's change notification alone
  // brings the file's new rows.
  ASSERT_TRUE(WriteDocumentFile(path, Elsewhere(), "Lumvik"));
  for (int wait = 0; wait < 100 && app->document().rows.size() != 5; ++wait) {
    ::Sleep(50);
    app->HandlePendingEvents();
  }
  EXPECT_EQ(app->document().rows.size(), 5u);
  EXPECT_EQ(TextOf(kGadgetStatusLine), Status(kTextRowsFromElsewhere, {"2"}));
}

}  // namespace
}  // namespace lumvik
