#include "tools/lvk/commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

constexpr char kDocument[] =
    "<xml version=\"2.1\" logiciel=\"LUMVIK\">\r\n"
    "<categorie nom=\"Home\" designation=\"\" level=\"0\" avancement=\"0\">\r\n"
    "<task nom=\"Paint\" designation=\"a\x1B" "b\" level=\"1\" importance=\"2\" "
    "datedebut=\"01/02/2026\" dateecheance=\"02/02/2026\" statut=\"3\" avancement=\"7\">\r\n";

struct LvkRun {
  int status;
  std::string out;
  std::string errors;
};

LvkRun Lvk(const std::vector<std::string>& arguments, const std::string& program_folder) {
  std::ostringstream out, errors;
  const int status = RunLvk(arguments, program_folder, out, errors);
  return {status, out.str(), errors.str()};
}

class LvkCommands : public ::testing::Test {
 protected:
  void SetUp() override { WriteTestFile(document_, kDocument); }

  TempDir dir_;
  TempDir program_folder_;
  std::string document_ = dir_.File("list one.lvk");
};

TEST_F(LvkCommands, DumpReadsAsTheProgramDoes) {
  const LvkRun run = Lvk({"dump", document_}, program_folder_.path());
  EXPECT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_EQ(run.errors, "");
  EXPECT_NE(run.out.find("\"logiciel\": \"LUMVIK\""), std::string::npos);
  // The category's progress follows its only task.
  EXPECT_NE(run.out.find("\"nom\": \"Home\", \"designation\": \"\", \"avancement\": 7}"),
            std::string::npos);
  EXPECT_NE(run.out.find("\"designation\": \"a\\u001bb\""), std::string::npos);
}

TEST_F(LvkCommands, RefusedAndMissingFilesPrintNothingAndFail) {
  LvkRun run = Lvk({"dump", "--name", "Other", document_}, program_folder_.path());
  EXPECT_EQ(run.status, kExitFileError);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.errors.find(document_), std::string::npos);

  run = Lvk({"dump", dir_.File("none.lvk")}, program_folder_.path());
  EXPECT_EQ(run.status, kExitFileError);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.errors.find("none.lvk"), std::string::npos);
}

TEST_F(LvkCommands, TheProgramNameComesFromTheLanguageFileBesideTheTool) {
  WriteTestFile(program_folder_.File("Lumvik.ini"), "[Application]\r\nlangage=english\r\n");
  WriteTestFile(program_folder_.File("Lumvik.lng.ini"), "[english]\r\n54=Other\r\n");
  EXPECT_EQ(Lvk({"dump", document_}, program_folder_.path()).status, kExitFileError);
  EXPECT_EQ(Lvk({"dump", "--name", "lumvik", document_}, program_folder_.path()).status,
            kExitSuccess);
}

TEST_F(LvkCommands, RewriteAddsTheExtensionAndReplacesWithoutAsking) {
  const std::string target = dir_.File("copy");
  WriteTestFile(target + ".lvk", "old");
  const LvkRun run = Lvk({"rewrite", "--name", "Lumvik", document_, target}, program_folder_.path());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_EQ(ReadWholeFile(target + ".lvk"),
            "<xml version=\"2.1\" logiciel=\"Lumvik\">\r\n"
            "<categorie nom=\"Home\" designation=\"\" level=\"0\" avancement=\"7\">\r\n"
            "<task nom=\"Paint\" designation=\"a\x1B" "b\" level=\"1\" importance=\"2\" "
            "datedebut=\"01/02/2026\" dateecheance=\"02/02/2026\" statut=\"3\" avancement=\"7\">\r\n");
  EXPECT_FALSE(PathExists(target));
}

TEST_F(LvkCommands, RewriteIntoAMissingFolderFails) {
  const LvkRun run = Lvk({"rewrite", document_, dir_.File("no folder/x.lvk")}, program_folder_.path());
  EXPECT_EQ(run.status, kExitFileError);
  EXPECT_NE(run.errors.find("x.lvk"), std::string::npos);
}

TEST_F(LvkCommands, ExportUsesTheStatusTexts) {
  WriteTestFile(program_folder_.File("Lumvik.ini"), "[Application]\r\nlangage=english\r\n");
  WriteTestFile(program_folder_.File("Lumvik.lng.ini"),
                "[english]\r\n18=Waiting\r\n22=Soon\r\n54=Lumvik\r\n");
  const LvkRun run = Lvk({"export", "--format", "csv", document_}, program_folder_.path());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_NE(run.out.find("Home,task,Paint,Waiting,Soon,01/02/2026,02/02/2026,70 %\n"),
            std::string::npos);
}

TEST_F(LvkCommands, UsageErrors) {
  const std::string folder = program_folder_.path();
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {},
           {"show", document_},
           {"dump"},
           {"dump", document_, document_},
           {"dump", "--name"},
           {"dump", "--format", "csv", document_},
           {"rewrite", document_},
           {"export", document_},
           {"export", "--format", "pdf", document_},
           {"export", "--format", "csv", "--format", "csv", document_},
           {"dump", "--colour", "red", document_}}) {
    const LvkRun run = Lvk(arguments, folder);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(arguments);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.errors.find("usage"), std::string::npos);
  }
}

}  // namespace
}  // namespace lumvik
