#include "tools/lvk/json_dump.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(JsonString, EscapesQuotesBackslashesAndControlBytes) {
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("x\x1Ay\x1Bz\t"), "\"x\\u001ay\\u001bz\\u0009\"");
  EXPECT_EQ(JsonString(""), "\"\"");
}

TEST(JsonString, DecodesTheCodePage) {
  EXPECT_EQ(JsonString("caf\xE9 \x80"), "\"caf\xC3\xA9 \xE2\x82\xAC\"");
  EXPECT_EQ(JsonString("\x81\x9D"), "\"\xC2\x81\xC2\x9D\"");
}

TEST(DocumentJson, WritesEveryRowWithTheFieldsOfItsKind) {
  Document document;
  document.categories.push_back({"Home", "two\x1Blines", 4});
  document.tasks.push_back({"Paint \"door\"", "", "01/02/2026", "03/04/2026", 5, 2, 3});
  document.rows = {{kCategoryRow, 0, 0}, {kTaskRow, 0, 1}};
  EXPECT_EQ(DocumentJson(document, std::string("Lumvik")),
            "{\"logiciel\": \"Lumvik\", \"rows\": [\n"
            "  {\"kind\": \"categorie\", \"index\": 0, \"level\": 0, \"nom\": \"Home\", "
            "\"designation\": \"two\\u001blines\", \"avancement\": 4},\n"
            "  {\"kind\": \"task\", \"index\": 0, \"level\": 1, \"nom\": \"Paint \\\"door\\\"\", "
            "\"designation\": \"\", \"avancement\": 5, \"importance\": 3, \"statut\": 2, "
            "\"datedebut\": \"01/02/2026\", \"dateecheance\": \"03/04/2026\"}\n"
            "]}\n");
}

TEST(DocumentJson, AnEmptyDocumentWithoutProgramName) {
  EXPECT_EQ(DocumentJson(Document{}, std::nullopt), "{\"logiciel\": null, \"rows\": []}\n");
}

}  // namespace
}  // namespace lumvik
