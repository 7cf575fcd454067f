#include "app/file_commands.h"

#include <gtest/gtest.h>

#include "config/text_numbers.h"
#include "document/document_file.h"
#include "document/testing/memory_row_view.h"
#include "platform/file_io.h"
#include "platform/testing/scripted_prompt.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::AskedFile;
using testing::AskedMessage;
using testing::FileDialog;
using testing::MemoryRowView;
using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteTestFile;

class FakeScreen : public DocumentScreen {
 public:
  RowView& Rows() override { return rows; }
  UrgencyColours Colours() const override { return {}; }
  void SetTitle(const std::string& text) override { title = text; }
  void PrepareCategoryPanel(const CategoryRecord& category, bool show_progress) override {
    panel_name = category.nom;
    panel_progress_shown = show_progress;
  }
  void EnableCategoryPanel() override { category_panel_enabled = true; }
  void DocumentReplaced() override { ++replaced; }
  bool TakeInChangesElsewhere() override { return true; }
  void DocumentWritten() override {}
  void HoldRedraw() override { ++holds; }
  void ReleaseRedraw() override {
    EXPECT_GT(holds, 0) << "redraw released without a hold";
    --holds;
  }

  MemoryRowView rows;
  std::string title;
  std::string panel_name;
  bool panel_progress_shown = false;
  bool category_panel_enabled = false;
  int holds = 0;
  int replaced = 0;
};

TextTable NumberedTexts() {
  TextTable texts(kLumvikTextCount);
  for (int number = 0; number < static_cast<int>(kLumvikTextCount); ++number) {
    texts.Set(number, "text " + std::to_string(number));
  }
  texts.Set(kTextProgramName, "Lumvik");
  return texts;
}

Document TwoRows(const std::string& path) {
  Document document;
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}};
  document.categories = {{"Home", "", 0}};
  document.tasks.push_back({});
  document.tasks.Edit(0).nom = "Paint the door";
  document.file_path = path;
  return document;
}

const AskedMessage kUnsavedQuestion{"text 3", "text 34", Buttons::YesNoCancel};

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommands Commands() { return {document, texts, prompt, screen}; }
  FileQuestion SaveQuestion(const std::string& proposed) {
    return {"text 15", proposed, "ToDo List (*.lvk)|*.lvk"};
  }
  // A document read from a file of the temporary folder, changed since.
  void OpenChanged(const std::string& name) {
    const std::string path = folder.File(name);
    ASSERT_TRUE(WriteDocumentFile(path, TwoRows(path), "Lumvik"));
    ASSERT_TRUE(OpenDocumentPath(Commands(), path));
    document.tasks.Edit(0).nom = "Paint the door blue";
    document.saved = 0;
  }

  TempDir folder;
  TextTable texts = NumberedTexts();
  ScriptedPrompt prompt;
  FakeScreen screen;
  Document document = TwoRows("");
};

TEST_F(FileCommandsTest, SavedDocumentGoesOnWithoutQuestion) {
  EXPECT_TRUE(SettleUnsavedChanges(Commands()));
  EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(FileCommandsTest, CancelKeepsDocumentPathAndFlag) {
  document.saved = 0;
  document.file_path = folder.File("kept.lvk");
  prompt.Then(Answer::Cancel);
  const Document before = document;
  EXPECT_FALSE(SettleUnsavedChanges(Commands()));
  EXPECT_EQ(prompt.asked(), std::vector<AskedMessage>{kUnsavedQuestion});
  EXPECT_EQ(document.rows, before.rows);
  EXPECT_EQ(document.file_path, before.file_path);
  EXPECT_EQ(document.saved, 0);
}

TEST_F(FileCommandsTest, NoDropsTheChanges) {
  document.saved = 0;
  prompt.Then(Answer::No);
  EXPECT_TRUE(SettleUnsavedChanges(Commands()));
  EXPECT_EQ(document.saved, 1);
  EXPECT_TRUE(prompt.asked_files().empty());
}

TEST_F(FileCommandsTest, YesOnNewDocumentWithCancelledSaveAsAbandonsTheCommand) {
  document.saved = 0;
  prompt.Then(Answer::Yes).ThenFile(std::nullopt);
  EXPECT_FALSE(SettleUnsavedChanges(Commands()));
  EXPECT_EQ(prompt.asked_files(), (std::vector<AskedFile>{{FileDialog::Save, SaveQuestion("")}}));
  EXPECT_EQ(document.saved, 0);
  EXPECT_EQ(document.rows.size(), 2u);
}

TEST_F(FileCommandsTest, YesWritesTheChosenFileAndGoesOn) {
  document.saved = 0;
  const std::string path = folder.File("chosen");
  prompt.Then(Answer::Yes).ThenFile(path);
  EXPECT_TRUE(SettleUnsavedChanges(Commands()));
  EXPECT_EQ(document.saved, 1);
  EXPECT_EQ(document.file_path, path + ".lvk");
  const ReadResult read = ReadDocument(path + ".lvk", "Lumvik");
  ASSERT_EQ(read.status, ReadStatus::Read);
  EXPECT_EQ(read.document.tasks[0].nom, "Paint the door");
}

TEST_F(FileCommandsTest, YesWithFailingWriteAbandonsTheCommand) {
  document.saved = 0;
  prompt.Then(Answer::Yes).ThenFile(folder.File("no such folder") + "/x.lvk").Then(Answer::Ok);
  EXPECT_FALSE(SettleUnsavedChanges(Commands()));
  EXPECT_EQ(prompt.asked().back(), (AskedMessage{"Lumvik", "text 10", Buttons::Ok}));
  EXPECT_EQ(document.saved, 0);
  EXPECT_EQ(document.file_path, "");
}

TEST_F(FileCommandsTest, SaveRewritesItsOwnFileWithoutQuestion) {
  OpenChanged("list.lvk");
  EXPECT_TRUE(SaveCommand(Commands()));
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(document.saved, 1);
  EXPECT_EQ(ReadDocument(folder.File("list.lvk"), "Lumvik").document.tasks[0].nom,
            "Paint the door blue");
}

TEST_F(FileCommandsTest, SaveKeepsTheVersionItReplacesAsTheSettingsSay) {
  OpenChanged("list.lvk");
  const std::string before = *ReadWholeFile(folder.File("list.lvk"));
  FileCommands commands = Commands();
  commands.backups = 3;
  ASSERT_TRUE(SaveCommand(commands));
  const std::vector<std::string> kept = FileNamesIn(folder.File("backup"));
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(ReadWholeFile(folder.File("backup/" + kept[0])), before);

  commands.backups = 0;
  ASSERT_TRUE(SaveCommand(commands));
  EXPECT_EQ(FileNamesIn(folder.File("backup")).size(), 1u) << "0 keeps no new version";
}

TEST_F(FileCommandsTest, SaveOfAFileWithAnotherExtensionLeavesItAsItWas) {
  OpenChanged("notes.txt");
  const std::string original = *ReadWholeFile(folder.File("notes.txt"));
  EXPECT_TRUE(SaveCommand(Commands()));
  EXPECT_EQ(*ReadWholeFile(folder.File("notes.txt")), original);
  EXPECT_EQ(document.file_path, folder.File("notes.txt.lvk"));
  EXPECT_EQ(ReadDocument(folder.File("notes.txt.lvk"), "Lumvik").document.tasks[0].nom,
            "Paint the door blue");
}

TEST_F(FileCommandsTest, ReadOnlyDocumentIsNotReplacedAndStaysUnsaved) {
  OpenChanged("locked.lvk");
  const std::string path = folder.File("locked.lvk");
  const std::string original = *ReadWholeFile(path);
  testing::ReadOnlyFile read_only(path);
  const AskedMessage cannot_write{"Lumvik", "text 10", Buttons::Ok};

  prompt.Then(Answer::Ok);
  EXPECT_FALSE(SaveCommand(Commands()));
  // Chosen again in Save As, and Yes to replacing it.
  prompt.ThenFile(path).Then(Answer::Yes).Then(Answer::Ok);
  EXPECT_FALSE(SaveAsCommand(Commands()));

  EXPECT_EQ(prompt.asked(),
            (std::vector<AskedMessage>{
                cannot_write, {"Lumvik", "text 14", Buttons::YesNo}, cannot_write}));
  EXPECT_EQ(*ReadWholeFile(path), original);
  EXPECT_EQ(document.saved, 0);
  EXPECT_EQ(document.file_path, path);
}

TEST_F(FileCommandsTest, WrittenUnderANewNameTheTitleNamesTheFile) {
  // Save of a new document asks for its name.
  document.saved = 0;
  const std::string first = folder.File("first");
  prompt.ThenFile(first);
  EXPECT_TRUE(SaveCommand(Commands()));
  EXPECT_EQ(screen.title, "Lumvik - " + first + ".lvk");

  const std::string second = folder.File("second.lvk");
  prompt.ThenFile(second);
  EXPECT_TRUE(SaveAsCommand(Commands()));
  EXPECT_EQ(screen.title, "Lumvik - " + second);

  // Nothing written, nothing renamed: a cancelled dialog, a failed write.
  prompt.ThenFile(std::nullopt);
  EXPECT_FALSE(SaveAsCommand(Commands()));
  prompt.ThenFile(folder.File("no such folder") + "/x.lvk").Then(Answer::Ok);
  EXPECT_FALSE(SaveAsCommand(Commands()));
  EXPECT_EQ(screen.title, "Lumvik - " + second);
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(FileCommandsTest, SaveAsProposesTheFolderAndAsksBeforeReplacing) {
  OpenChanged("first.lvk");
  const std::string other = folder.File("other.lvk");
  WriteTestFile(other, "kept");
  // No keeps the existing file and shows the dialog again; the second
  // dialog is cancelled.
  prompt.ThenFile(other).Then(Answer::No).ThenFile(std::nullopt);
  EXPECT_FALSE(SaveAsCommand(Commands()));
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{{"Lumvik", "text 14", Buttons::YesNo}}));
  ASSERT_EQ(prompt.asked_files().size(), 2u);
  EXPECT_EQ(prompt.asked_files()[0].question, SaveQuestion(folder.path()));
  EXPECT_EQ(*ReadWholeFile(other), "kept");
  EXPECT_EQ(document.saved, 0);
  EXPECT_EQ(document.file_path, folder.File("first.lvk"));
}

TEST_F(FileCommandsTest, NewShowsOneSelectedCategory) {
  NewDocumentCommand(Commands());
  ASSERT_EQ(document.rows.size(), 1u);
  EXPECT_EQ(document.categories[0].nom, "text 37");
  EXPECT_EQ(document.saved, 1);
  EXPECT_EQ(document.file_path, "");
  ASSERT_EQ(screen.rows.Count(), 1);
  EXPECT_EQ(screen.rows.Selection(), 0);
  EXPECT_EQ(screen.title, "Lumvik - text 111");
  EXPECT_EQ(screen.panel_name, "text 37");
  EXPECT_TRUE(screen.panel_progress_shown);
  EXPECT_EQ(screen.holds, 0);
}

TEST_F(FileCommandsTest, OpenAsksAboutChangesBeforeItsDialog) {
  document.saved = 0;
  prompt.Then(Answer::Cancel);
  OpenCommand(Commands());
  EXPECT_TRUE(prompt.asked_files().empty());
  EXPECT_EQ(document.saved, 0);
}

TEST_F(FileCommandsTest, OpenReadsTheChosenFile) {
  const std::string path = folder.File("Ménage de printemps.lvk");
  ASSERT_TRUE(WriteDocumentFile(path, TwoRows(""), "Lumvik"));
  document.saved = 0;
  prompt.Then(Answer::No).ThenFile(path);
  OpenCommand(Commands());
  EXPECT_EQ(prompt.asked_files(),
            (std::vector<AskedFile>{{FileDialog::Open, {"text 30", "", "text 67 (*.lvk)|*.lvk"}}}));
  EXPECT_EQ(document.file_path, path);
  EXPECT_EQ(document.saved, 1);
  EXPECT_EQ(screen.title, "Lumvik - " + path);
  ASSERT_EQ(screen.rows.Count(), 2);
  EXPECT_EQ(screen.rows.rows()[1].text, "Paint the door");
  EXPECT_EQ(screen.rows.Selection(), -1);
  EXPECT_TRUE(screen.category_panel_enabled);
}

// No to the question drops the changes only when another document takes
// their place: after a cancelled dialog or a refused file they are still
// there, unsaved, and the next command that would lose them asks again.
TEST_F(FileCommandsTest, ChangesDroppedForOpenStayUntilAnotherDocumentIsRead) {
  const std::string foreign = folder.File("foreign.lvk");
  WriteTestFile(foreign, "<xml version=\"2.1\" logiciel=\"Other\">\r\n");
  const std::optional<std::string> chosen[] = {std::nullopt, foreign, folder.File("missing.lvk")};
  for (const std::optional<std::string>& path : chosen) {
    SCOPED_TRACE(path.value_or("cancelled"));
    document.saved = 0;
    prompt.Then(Answer::No).ThenFile(path);
    if (path) prompt.Then(Answer::Ok);  // the reader's message
    OpenCommand(Commands());
    EXPECT_EQ(document.saved, 0);
    EXPECT_EQ(document.rows.size(), 2u);
    prompt.Then(Answer::Cancel);
    EXPECT_FALSE(SettleUnsavedChanges(Commands()));
    EXPECT_EQ(prompt.asked().back(), kUnsavedQuestion);
  }
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(FileCommandsTest, RefusedFilesChangeNothing) {
  const std::string foreign = folder.File("foreign.lvk");
  WriteTestFile(foreign, "<xml version=\"2.1\" logiciel=\"Other\">\r\n");
  const struct {
    std::string path;
    std::string message;
  } cases[] = {{foreign, "text 11"}, {folder.File("missing.lvk"), "text 13"}};
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.path);
    prompt.Then(Answer::Ok);
    EXPECT_FALSE(OpenDocumentPath(Commands(), refused.path));
    EXPECT_EQ(prompt.asked().back(), (AskedMessage{"Lumvik", refused.message, Buttons::Ok}));
    EXPECT_EQ(document.rows.size(), 2u);
    EXPECT_EQ(document.file_path, "");
    EXPECT_EQ(screen.title, "");
    EXPECT_FALSE(screen.category_panel_enabled);
  }
}

}  // namespace
}  // namespace lumvik
