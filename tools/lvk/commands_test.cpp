#include "tools/lvk/commands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>

#include "document/date_mask.h"
#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

constexpr char kDocument[] =
    "<xml version=\"2.1\" logiciel=\"LUMVIK\">\r\n"
    "<categorie nom=\"Home\" designation=\"\" level=\"0\" avancement=\"0\">\r\n"
    "<task nom=\"Paint\" designation=\"a\x1B"
    "b\" level=\"1\" importance=\"2\" "
    "datedebut=\"01/02/2026\" dateecheance=\"02/02/2026\" statut=\"3\" avancement=\"7\">\r\n";

struct LvkRun {
  int status;
  std::string out;
  std::string errors;
};

// A moment as a calendar stamps it, "YYYYMMDDTHHMMSSZ", which sorts as time does.
std::string StampOf(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  const sys_seconds seconds = floor<std::chrono::seconds>(moment);
  const sys_days day = floor<days>(seconds);
  const year_month_day date(day);
  const hh_mm_ss<std::chrono::seconds> time(seconds - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

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
  const LvkRun run =
      Lvk({"rewrite", "--name", "Lumvik", document_, target}, program_folder_.path());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_EQ(
      ReadWholeFile(target + ".lvk"),
      "<xml version=\"2.1\" logiciel=\"Lumvik\">\r\n"
      "<categorie nom=\"Home\" designation=\"\" level=\"0\" avancement=\"7\">\r\n"
      "<task nom=\"Paint\" designation=\"a\x1B"
      "b\" level=\"1\" importance=\"2\" "
      "datedebut=\"01/02/2026\" dateecheance=\"02/02/2026\" statut=\"3\" avancement=\"7\">\r\n");
  EXPECT_FALSE(PathExists(target));
}

TEST_F(LvkCommands, RewriteIntoAMissingFolderFails) {
  const LvkRun run =
      Lvk({"rewrite", document_, dir_.File("no folder/x.lvk")}, program_folder_.path());
  EXPECT_EQ(run.status, kExitFileError);
  EXPECT_NE(run.errors.find("x.lvk"), std::string::npos);
}

TEST_F(LvkCommands, ExportUsesTheStatusTexts) {
  WriteTestFile(program_folder_.File("Lumvik.ini"), "[Application]\r\nlangage=english\r\n");
  WriteTestFile(program_folder_.File("Lumvik.lng.ini"),
                "[english]\r\n18=Waiting\r\n22=Soon\r\n54=Lumvik\r\n");
  const LvkRun run = Lvk({"export", "--format", "csv", document_}, program_folder_.path());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_NE(run.out.find("Home,task,Paint,Waiting,Soon,01/02/2026,02/02/2026,70 %,\"a\r\nb\"\n"),
            std::string::npos);
}

TEST_F(LvkCommands, ListAndExportTakeTheRowsTheFiltersShow) {
  WriteTestFile(program_folder_.File("Lumvik.ini"), "[Application]\r\nlangage=english\r\n");
  WriteTestFile(program_folder_.File("Lumvik.lng.ini"),
                "[english]\r\n18=Waiting\r\n19=Done\r\n22=Soon\r\n24=High\r\n54=Lumvik\r\n"
                "215=%1 of %2 tasks shown\r\n");
  WriteTestFile(document_, std::string(kDocument) +
                               "<task nom=\"Mow\" designation=\"\" level=\"1\" importance=\"4\" "
                               "datedebut=\"\" dateecheance=\"\" statut=\"4\" avancement=\"7\">\r\n"
                               "<categorie nom=\"Caf\xE9\" designation=\"\" level=\"0\">\r\n");
  const std::string folder = program_folder_.path();
  const std::string home = "Home\t\t\t\t70 %\n";
  const std::string paint = "  Paint\tWaiting\tSoon\t02/02/2026\t70 %\n";
  const std::string mow = "  Mow\tDone\tHigh\t\t70 %\n";
  EXPECT_EQ(Lvk({"list", document_}, folder).out, home + paint + mow + "Caf\xC3\xA9\t\t\t\t0 %\n");
  EXPECT_EQ(Lvk({"list", "--hide-finished", document_}, folder).out,
            home + paint + "Caf\xC3\xA9\t\t\t\t0 %\n");
  EXPECT_EQ(Lvk({"list", document_, "--urgent"}, folder).out, home + mow);
  EXPECT_EQ(Lvk({"list", "--urgent", "--hide-finished", document_}, folder).out, "");
  EXPECT_EQ(Lvk({"list", "--match", "CAF\xC3\xA9", document_}, folder).out,
            "Caf\xC3\xA9\t\t\t\t0 %\n");

  const std::string csv = Lvk({"export", "--format", "csv", "--urgent", document_}, folder).out;
  EXPECT_NE(csv.find("Home,task,Mow,"), std::string::npos);
  EXPECT_EQ(csv.find("Paint"), std::string::npos);
  EXPECT_NE(Lvk({"export", "--format", "html", "--urgent", document_}, folder)
                .out.find("<title>Lumvik (1 of 2 tasks shown)</title>"),
            std::string::npos);
  EXPECT_NE(Lvk({"export", "--format", "print", "--hide-finished", document_}, folder)
                .out.find("<title>list one.lvk (1 of 2 tasks shown)</title>"),
            std::string::npos);
}

TEST_F(LvkCommands, ExportsACalendarStampedWithTheTimeOfTheRun) {
  const std::string before = StampOf(std::chrono::system_clock::now());
  const LvkRun run = Lvk({"export", "--format", "ical", document_}, program_folder_.path());
  const std::string after = StampOf(std::chrono::system_clock::now());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_TRUE(run.out.starts_with("BEGIN:VCALENDAR\r\n"));
  EXPECT_NE(run.out.find("\r\nSUMMARY:Paint\r\nDESCRIPTION:a\\nb\r\n"), std::string::npos);
  const std::size_t stamp = run.out.find("\r\nDTSTAMP:");
  ASSERT_NE(stamp, std::string::npos);
  const std::string stamped = run.out.substr(stamp + 10, 16);
  EXPECT_LE(before, stamped);
  EXPECT_LE(stamped, after);
}

TEST_F(LvkCommands, PrintsInTheColoursOfTheThemeBesideTheTool) {
  LvkRun run = Lvk({"export", "--format", "print", document_}, program_folder_.path());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_NE(run.out.find("<title>list one.lvk</title>"), std::string::npos);
  // Without settings or theme every urgency prints black on white.
  EXPECT_NE(run.out.find("tr.u2 td{color:#000000;background-color:#ffffff}"), std::string::npos);

  WriteTestFile(program_folder_.File("Lumvik.ini"), "[Image]\r\nskin=night\r\n");
  WriteTestFile(program_folder_.File("night.lvs"), "[Theme]\r\nurg_2_tc=255\r\nurg_2_bc=65280\r\n");
  run = Lvk({"export", "--format", "print", document_}, program_folder_.path());
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  EXPECT_NE(run.out.find("tr.u2 td{color:#ff0000;background-color:#00ff00}"), std::string::npos);
  EXPECT_NE(run.out.find("<tr class=\"task u2 d1\">"), std::string::npos);
}

TEST_F(LvkCommands, AddAndDoneFeedAListAndKeepABackup) {
  const std::string folder = program_folder_.path();
  WriteTestFile(program_folder_.File("Lumvik.ini"), "[Backup]\r\nbackups=2\r\n");
  LvkRun run = Lvk({"add", document_, "--in", "Home", "--name", "Call \"Bob\"", "--due",
                    "03/04/2026", "--urgency", "5", "--description", "line 1\r\nline 2"},
                   folder);
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  // Missing categories are made at the end of their parent; "//" is a "/"
  // of a name; the text arrives in UTF-8 and is stored in the file's page.
  run = Lvk({"add", "--in", "Home/Year-end//Q4 \xE2\x82\xAC", "--name", "Print", document_,
             "--start", "01/04/2026", "--status", "3"},
            folder);
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  run = Lvk({"done", document_, "--task", "Home/Paint"}, folder);
  ASSERT_EQ(run.status, kExitSuccess) << run.errors;
  const std::optional<std::string> file = ReadWholeFile(document_);
  ASSERT_TRUE(file);
  const std::string today = file->substr(file->find("datedebut=\"", file->find("Bob")) + 11, 10);
  EXPECT_EQ(
      file->substr(file->find("\r\n") + 2),
      "<categorie nom=\"Home\" designation=\"\" level=\"0\" avancement=\"3\">\r\n"
      "<task nom=\"Paint\" designation=\"a\x1B"
      "b\" level=\"1\" importance=\"2\" "
      "datedebut=\"01/02/2026\" dateecheance=\"02/02/2026\" statut=\"4\" avancement=\"10\">\r\n"
      "<task nom=\"Call \x1A"
      "Bob\x1A\" designation=\"line 1\x1Bline 2\" level=\"1\" importance=\"5\" "
      "datedebut=\"" +
          today +
          "\" dateecheance=\"03/04/2026\" statut=\"1\" avancement=\"0\">\r\n"
          "<categorie nom=\"Year-end/Q4 \x80\" designation=\"\" level=\"1\" avancement=\"0\">\r\n"
          "<task nom=\"Print\" designation=\"\" level=\"2\" importance=\"1\" "
          "datedebut=\"01/04/2026\" dateecheance=\"" +
          today + "\" statut=\"3\" avancement=\"0\">\r\n");
  EXPECT_TRUE(ReadMaskedDate(today));
  // Each write kept the file it replaced, as many as the settings say.
  EXPECT_EQ(FileNamesIn(dir_.File("backup")).size(), 2u);
}

TEST_F(LvkCommands, AddAndDoneRefuseWhatTheyCannotNameOrHold) {
  const std::string folder = program_folder_.path();
  ASSERT_EQ(Lvk({"add", document_, "--in", "Home", "--name", "Paint"}, folder).status,
            kExitSuccess);
  const std::optional<std::string> before = ReadWholeFile(document_);
  struct Refusal {
    std::vector<std::string> arguments;
    int status;
    std::string said;
  };
  for (const Refusal& refusal : std::vector<Refusal>{
           {{"done", document_, "--task", "Home/Paint"},
            kExitFileError,
            "\"Home/Paint\" names more"},
           {{"done", document_, "--task", "Home/Dig"}, kExitFileError, "no task at \"Home/Dig\""},
           {{"done", document_, "--task", "Home"}, kExitFileError, "no task at \"Home\""},
           {{"add", document_, "--in", "Home/", "--name", "x"}, kExitUsage, "--in"},
           {{"add", document_, "--in", "Home", "--name", "\xE4\xB8\xAD"}, kExitUsage, "--name"},
           {{"add", document_, "--in", "Home", "--name", "x", "--due", "31/02/2026"},
            kExitUsage,
            "--due"},
           {{"add", document_, "--in", "Home", "--name", "x", "--urgency", "6"},
            kExitUsage,
            "--urgency"},
           {{"add", document_, "--in", "Home", "--name", ""}, kExitUsage, "--name"},
           {{"add", document_, "--in", "Home"}, kExitUsage, "usage"},
           {{"done", document_}, kExitUsage, "usage"}}) {
    const LvkRun run = Lvk(refusal.arguments, folder);
    EXPECT_EQ(run.status, refusal.status) << ::testing::PrintToString(refusal.arguments);
    EXPECT_NE(run.errors.find(refusal.said), std::string::npos) << run.errors;
  }
  EXPECT_EQ(ReadWholeFile(document_), before);

  WriteTestFile(document_, "<xml version=\"2.1\" logiciel=\"Other\">\r\n");
  const LvkRun run = Lvk({"add", document_, "--in", "Home", "--name", "x"}, folder);
  EXPECT_EQ(run.status, kExitFileError);
  EXPECT_NE(run.errors.find(document_ + ": not a document"), std::string::npos);
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
           {"export", "--format", "ICAL", document_},
           {"export", "--format", "csv", "--format", "csv", document_},
           {"dump", "--colour", "red", document_},
           {"dump", "--urgent", document_},
           {"list", "--due", "--due", document_},
           {"list", "--match", document_},
           {"list", "--match", "\xE9", document_}}) {
    const LvkRun run = Lvk(arguments, folder);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(arguments);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.errors.find("usage"), std::string::npos);
  }
}

}  // namespace
}  // namespace lumvik
