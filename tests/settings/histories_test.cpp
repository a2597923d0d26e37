#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Histories.h"

namespace korvath {
namespace {

std::vector<std::string> RecentFolders(const FolderHistory& h) { return {h.begin() + 1, h.end()}; }

TEST(RecordCurrentFolder, MovesARevisitedFolderToTheFrontWithoutDuplicate) {
  FolderHistory h;
  for (const char* folder : {"C:\\A", "C:\\B", "C:\\C"}) RecordCurrentFolder(h, folder, 3);
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"C:\\C", "C:\\B", "C:\\A", "", "", ""}));
  RecordCurrentFolder(h, "C:\\B", 1);
  EXPECT_EQ(h[0], "C:\\B");
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"C:\\B", "C:\\C", "C:\\A", "", "", ""}));
}

TEST(RecordCurrentFolder, KeepsTheSixMostRecentFolders) {
  FolderHistory h;
  for (const char* folder : {"1", "2", "3", "4", "5", "6", "7"}) RecordCurrentFolder(h, folder, 1);
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"7", "6", "5", "4", "3", "2"}));
  // The oldest one, revisited from slot 6, moves to the front.
  RecordCurrentFolder(h, "2", 1);
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"2", "7", "6", "5", "4", "3"}));
}

TEST(RecordCurrentFolder, AFolderWithoutFilesOnlyMovesSlotZero) {
  FolderHistory h;
  RecordCurrentFolder(h, "A", 2);
  RecordCurrentFolder(h, "Empty", 0);
  EXPECT_EQ(h[0], "Empty");
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"A", "", "", "", "", ""}));
  // A filter change that brings files enters the folder after all.
  RecordCurrentFolder(h, "Empty", 4);
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"Empty", "A", "", "", "", ""}));
}

TEST(RecordCurrentFolder, ComparesFoldersExactly) {
  FolderHistory h;
  RecordCurrentFolder(h, "C:\\a", 1);
  RecordCurrentFolder(h, "C:\\b", 1);
  RecordCurrentFolder(h, "C:\\A", 1);  // another case is another entry
  EXPECT_EQ(RecentFolders(h), (std::vector<std::string>{"C:\\A", "C:\\b", "C:\\a", "", "", ""}));
}

TEST(PushTextHistory, StoresEveryNewTextEvenWhenAlreadyFurtherDown) {
  TextHistory h;
  EXPECT_TRUE(PushPrefixHistory(h, "a"));
  EXPECT_FALSE(PushPrefixHistory(h, "a"));  // same text twice in a row: once
  EXPECT_TRUE(PushPrefixHistory(h, "b"));
  EXPECT_TRUE(PushPrefixHistory(h, "a"));
  EXPECT_EQ(DropDownItems(h), (std::vector<std::string>{"a", "b", "a"}));
}

TEST(PushTextHistory, AnEmptyTextTakesASlotButIsNotListed) {
  TextHistory h;
  for (std::size_t i = 0; i < kTextHistorySlots; ++i) h[i] = std::to_string(100 + i);
  EXPECT_TRUE(PushSuffixHistory(h, ""));
  EXPECT_EQ(h[0], "");
  EXPECT_EQ(h[1], "100");
  EXPECT_EQ(h[32], "131");  // 132 dropped out
  std::vector<std::string> items = DropDownItems(h);
  ASSERT_EQ(items.size(), 32u);
  EXPECT_EQ(items.front(), "100");
  EXPECT_EQ(items.back(), "131");
  EXPECT_FALSE(PushSuffixHistory(h, ""));  // empty into an empty slot 0: nothing
}

TEST(FolderMenu, ShowsFilledSlotsWithTheirAccelerators) {
  FolderHistory h;
  EXPECT_FALSE(FolderSeparatorVisible(h));
  for (const FolderMenuItem& item : FolderMenuItems(h)) EXPECT_FALSE(item.Visible);
  h[0] = "C:\\Now";  // slot 0 is never offered
  EXPECT_FALSE(FolderSeparatorVisible(h));
  h[2] = "C:\\Two";
  h[6] = "D:\\";
  EXPECT_TRUE(FolderSeparatorVisible(h));
  auto items = FolderMenuItems(h);
  EXPECT_FALSE(items[0].Visible);
  EXPECT_TRUE(items[1].Visible);
  EXPECT_EQ(items[1].Caption, "(&2)C:\\Two");
  EXPECT_TRUE(items[5].Visible);
  EXPECT_EQ(items[5].Caption, "(&6)D:\\");
}

}  // namespace
}  // namespace korvath
