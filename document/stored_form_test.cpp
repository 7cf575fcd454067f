#include "document/stored_form.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(StoredForm, LineBreaksAndQuotesBecomeSingleBytes) {
  EXPECT_EQ(DesignationToStoredForm("say \"hi\"\r\nnext\r\n"), "say \x1Ahi\x1A\x1Bnext\x1B");
  EXPECT_EQ(DesignationToStoredForm("\r\r\n\n"), "\r\x1B\n");  // only pairs are line breaks
  EXPECT_EQ(DesignationFromStoredForm("say \x1Ahi\x1A\x1Bnext\x1B"), "say \"hi\"\r\nnext\r\n");
  EXPECT_EQ(DesignationToStoredForm(""), "");
}

TEST(StoredForm, TypedTextSurvivesTheRoundTrip) {
  const std::string typed = "a \"b\"\r\n\t\xE9<task level=\"2\">\r\n\r\n";
  EXPECT_EQ(DesignationFromStoredForm(DesignationToStoredForm(typed)), typed);
}

}  // namespace
}  // namespace lumvik
