#include "document/new_document.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(NewDocument, OneTopLevelCategoryNamedByItsText) {
  TextTable texts(kLumvikTextCount);
  texts.Set(37, "New category");
  const Document document = NewDocument(texts, 0);
  EXPECT_EQ(document.rows, (std::vector<TreeEntry>{{kCategoryRow, 0, 0}}));
  EXPECT_EQ(document.categories, (std::vector<CategoryRecord>{{"New category", "", 0}}));
  EXPECT_TRUE(document.tasks.empty());
  EXPECT_TRUE(document.file_path.empty());
  EXPECT_EQ(document.saved, 0);
  EXPECT_EQ(NewDocument(texts, 1).saved, 1);
}

}  // namespace
}  // namespace lumvik
