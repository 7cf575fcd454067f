#include "app/export_choice.h"

#include <gtest/gtest.h>

#include "config/text_numbers.h"

namespace lumvik {
namespace {

TEST(ExportChoice, TheDialogOffersEachTypeUnderTheDocumentsName) {
  TextTable texts(kLumvikTextCount);
  texts.Set(kTextExportTitle, "Export the document");
  texts.Set(kTextExportHtml, "Web page");
  texts.Set(kTextExportCsv, "Table");
  texts.Set(kTextExportMarkdown, "Markdown text");
  texts.Set(kTextExportCalendar, "Calendar");
  const FileQuestion question = ExportQuestion(texts, "C:\\lists\\home.LVK");
  EXPECT_EQ(question.title, "Export the document");
  EXPECT_EQ(question.proposed_name, "C:\\lists\\home");
  EXPECT_EQ(question.filter,
            "Web page (*.html)|*.html|Table (*.csv)|*.csv|Markdown text (*.md)|*.md|"
            "Calendar (*.ics)|*.ics");
  EXPECT_EQ(ExportQuestion(texts, "").proposed_name, "");
}

TEST(ExportChoice, TheTypeChosenGivesTheFormatAndTheExtension) {
  EXPECT_EQ(ExportTargetOf({"C:\\out\\home", 2}), (ExportTarget{"C:\\out\\home.csv", ExportFormat::Csv}));
  EXPECT_EQ(ExportTargetOf({"C:\\out\\home.CSV", 2}),
            (ExportTarget{"C:\\out\\home.CSV", ExportFormat::Csv}));
  EXPECT_EQ(ExportTargetOf({"C:\\out\\home.ics", 3}),
            (ExportTarget{"C:\\out\\home.ics.md", ExportFormat::Markdown}))
      << "the type chosen decides, not the name typed";
  EXPECT_EQ(ExportTargetOf({"C:\\out\\cal", 4}),
            (ExportTarget{"C:\\out\\cal.ics", ExportFormat::ICalendar}));
  EXPECT_EQ(ExportTargetOf({"C:\\out\\page", 0}),
            (ExportTarget{"C:\\out\\page.html", ExportFormat::Html}));
}

}  // namespace
}  // namespace lumvik
