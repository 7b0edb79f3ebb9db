#include "editor/editor_pack.h"

#include <gtest/gtest.h>

#include "editor/test_support.h"
#include "editor/undo_stack.h"

namespace mapwright {
namespace {

EditorPack PackOf(int n) {
  EditorPack pack;
  for (int i = 1; i <= n; ++i) {
    pack.AppendBlankLevel();
    pack.levels[static_cast<std::size_t>(i)][0] = static_cast<char>('0' + i);
  }
  return pack;
}

std::string Order(const EditorPack& pack) {
  std::string s;
  for (int i = 1; i <= pack.numberOfLevels; ++i) s += pack.levels[static_cast<std::size_t>(i)][0];
  return s;
}

TEST(EditorPack, StartsWithOnlyTheWorkingSlot) {
  EditorPack pack;
  EXPECT_EQ(pack.levels.size(), 1u);
  EXPECT_EQ(pack.numberOfLevels, 0);
  EXPECT_EQ(pack.shownLevel, -1);
  EXPECT_EQ(pack.levels[0], BlankLevel());
}

TEST(EditorPack, OperationsOutsideThePackDoNothing) {
  EditorPack pack = PackOf(3);
  pack.working()[0] = 'W';
  for (int n : {-1, 0, 4}) pack.StoreWorkingLevel(n);
  for (int n : {-1, 0, 1, 4}) pack.SwapWithPrevious(n);
  for (int n : {-1, 0, 3, 4}) pack.SwapWithNext(n);
  for (int n : {-1, 0, 4}) pack.RemoveLevel(n);
  EXPECT_EQ(Order(pack), "123");
  EXPECT_EQ(pack.levels.size(), 4u);
}

TEST(EditorPack, SwapsStoresAndRemoves) {
  EditorPack pack = PackOf(4);
  pack.SwapWithPrevious(2);
  EXPECT_EQ(Order(pack), "2134");
  pack.SwapWithNext(3);
  EXPECT_EQ(Order(pack), "2143");
  pack.working()[0] = 'W';
  pack.StoreWorkingLevel(4);
  EXPECT_EQ(Order(pack), "214W");
  pack.RemoveLevel(2);
  EXPECT_EQ(Order(pack), "24W");
  EXPECT_EQ(pack.levels.size(), 4u);
  EXPECT_EQ(pack.working()[0], 'W') << "the working slot keeps its content";
}

TEST(EditorPack, ResetKeepsAuthorAndComment) {
  EditorPack pack = PackOf(2);
  pack.collectionName = "name";
  pack.author = "me";
  pack.comment = "note";
  pack.working()[5] = 'R';
  pack.ResetPack();
  EXPECT_EQ(pack.numberOfLevels, 0);
  EXPECT_EQ(pack.levels.size(), 1u);
  EXPECT_EQ(pack.working(), BlankLevel());
  EXPECT_EQ(pack.collectionName, "");
  EXPECT_EQ(pack.author, "me");
  EXPECT_EQ(pack.comment, "note");
}

TEST(UndoStack, KeepsTheNewestFive) {
  UndoStack undo;
  for (int i = 0; i < 7; ++i) {
    LevelGrid g = BlankLevel();
    g[0] = static_cast<char>('a' + i);
    undo.Push(g);
  }
  ASSERT_EQ(undo.size(), 5u);
  std::string order;
  while (!undo.empty()) {
    order += undo.newest()[0];
    undo.PopNewest();
  }
  EXPECT_EQ(order, "gfedc");
}

}  // namespace
}  // namespace mapwright
