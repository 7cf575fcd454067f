#include "document/category_sort.h"

#include <gtest/gtest.h>

#include "document/change_view.h"
#include "document/edit_history.h"
#include "document/row_decoration.h"
#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

using testing::EditedDocument;
using testing::Outline;

// Home (bravo, Tools (saw), alpha, Shed, charlie, delta), Other (zulu)
constexpr const char* kHome = "Home0 bravo1 Tools1 saw2 alpha1 Shed1 charlie1 delta1 Other0 zulu1";

TEST(SortCategory, TasksAfterTheCategoriesInOrderOfEachValueEqualOnesKeepingTheirOrder) {
  Document home = testing::OutlineDocument(kHome);
  // Tasks: bravo 0, saw 1, alpha 2, charlie 3, delta 4, zulu 5.
  home.tasks.Edit(0).dateecheance = "05/01/2027";
  home.tasks.Edit(2).dateecheance = "31/02/2026";  // no such day
  home.tasks.Edit(3).dateecheance = "01/12/2026";
  home.tasks.Edit(4).dateecheance = "05/01/2027";
  home.tasks.Edit(0).importance = 2;
  home.tasks.Edit(3).importance = 5;
  home.tasks.Edit(4).importance = 2;
  home.tasks.Edit(2).nom = "\xC0lpha";
  home.tasks.Edit(0).nom = "Bravo";
  EditedDocument edited(home);
  Document& document = edited.document;

  ASSERT_TRUE(SortCategory(edited.target(), 0, SortKey::Name));
  EXPECT_EQ(Outline(document),
            "Home0 Tools1 saw2 Shed1 \xC0lpha1 Bravo1 charlie1 delta1 Other0 zulu1")
      << "categories first, in their order, with their rows; accents and case aside";
  EXPECT_TRUE(edited.Consistent());
  EXPECT_EQ(edited.view.Selection(), 0);

  ASSERT_TRUE(SortCategory(edited.target(), 0, SortKey::DueDate));
  EXPECT_EQ(Outline(document),
            "Home0 Tools1 saw2 Shed1 charlie1 Bravo1 delta1 \xC0lpha1 Other0 zulu1")
      << "equal dates keep their order; no date and no such day last";
  EXPECT_FALSE(SortCategory(edited.target(), 0, SortKey::Urgency)) << "5, 2, 2, 1: in order";
  document.tasks.Edit(2).importance = 3;
  RefreshRow(edited.view, document, 7, testing::kUrgencyColours);  // as the panel does
  ASSERT_TRUE(SortCategory(edited.target(), 0, SortKey::Urgency));
  EXPECT_EQ(Outline(document),
            "Home0 Tools1 saw2 Shed1 charlie1 \xC0lpha1 Bravo1 delta1 Other0 zulu1");
  EXPECT_FALSE(SortCategory(edited.target(), 0, SortKey::Urgency)) << "already in order";
  EXPECT_TRUE(edited.Consistent());

  EXPECT_FALSE(SortCategory(edited.target(), 9, SortKey::Name)) << "a task holds nothing to sort";
  EXPECT_FALSE(SortCategory(edited.target(), 8, SortKey::Name)) << "one child";
  EXPECT_FALSE(SortCategory(edited.target(), 42, SortKey::Name));

  EditedDocument jumping("C0 t2 u1");
  EXPECT_FALSE(SortCategory(jumping.target(), 0, SortKey::Name))
      << "u1 first would put t2 under it";
}

TEST(SortCategory, ProgressAndStatusLowestFirst) {
  Document home = testing::OutlineDocument("Home0 a1=7 b1=2 c1=10 d1=2");
  home.tasks.Edit(0).statut = 3;
  home.tasks.Edit(2).statut = 1;
  home.tasks.Edit(3).statut = 5;
  EditedDocument edited(home);
  ASSERT_TRUE(SortCategory(edited.target(), 0, SortKey::Progress));
  EXPECT_EQ(Outline(edited.document), "Home0 b1 d1 a1 c1");
  ASSERT_TRUE(SortCategory(edited.target(), 0, SortKey::Status));
  EXPECT_EQ(Outline(edited.document), "Home0 b1 c1 a1 d1");
  EXPECT_TRUE(edited.Consistent());

  // Undone, the rows take their places again, the category still selected.
  EditHistory history;
  history.Reset(edited.document);
  ASSERT_TRUE(SortCategory(edited.target(), 0, SortKey::Progress));
  history.Record(edited.document);
  ShowChange(edited.target(), *history.Undo(edited.document));
  EXPECT_EQ(Outline(edited.document), "Home0 b1 c1 a1 d1");
  EXPECT_TRUE(edited.Consistent());
  EXPECT_EQ(edited.view.Selection(), 0);
}

}  // namespace
}  // namespace lumvik
