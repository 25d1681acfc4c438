// The link exports as a host calls them: the cache's loader, whether an item is linked, the icon link
// and its image, linking two items, and the purge when the component goes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "CalyraEditor.h"
#include "host/Component.h"
#include "links/LinkStore.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/ImageList.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/StoredLinks.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class LinkExportsTest : public EditorHostTest {};

TEST_F(LinkExportsTest, LinkingTwoItemsMakesBothLinkedAndOnlyKnownKindsAreTaken) {
  ItemOid task = SaveTask(u"Tax return");
  ItemOid other = SaveTask(u"Receipts");
  EXPECT_EQ(CalyraEditor_IsItemLinked(task), 0);
  EXPECT_EQ(CalyraEditor_AddLinkToItem(task, 0, 3), 0);
  EXPECT_EQ(CalyraEditor_AddLinkToItem(0, other, 3), 0);
  EXPECT_EQ(CalyraEditor_AddLinkToItem(task, other, 4), 0);
  EXPECT_EQ(CalyraEditor_AddLinkToItem(task, other, 3), 1);
  EXPECT_EQ(CalyraEditor_IsItemLinked(task), 1);
  EXPECT_EQ(CalyraEditor_IsItemLinked(other), 1) << "the far end owns the reverse half";
}

TEST_F(LinkExportsTest, TheLoaderFillsTheCacheFromWhatAnotherProcessWrote) {
  ItemOid task = SaveTask(u"Tax return");
  ItemOid other = SaveTask(u"Receipts");
  LinkStore().LinkTask(task, other);  // written without this process's cache
  EXPECT_EQ(CalyraEditor_IsItemLinked(task), 0);
  EXPECT_EQ(CalyraEditor_InitLoadLinksInformation(), 1);
  // A second load waits for the first and fills the cache afresh.
  EXPECT_EQ(CalyraEditor_InitLoadLinksInformation(), 1);
  Component::Process().WaitForLinkLoad();
  EXPECT_EQ(Component::Process().links.Count(), 2u) << "each load mirrors the database once";
  EXPECT_EQ(CalyraEditor_IsItemLinked(task), 1);
}

TEST_F(LinkExportsTest, AnIconLinkIsReplacedAndItsImageComesAsACopyEachTime) {
  ItemOid task = SaveTask(u"Tax return");
  WriteBitmapFile(u"\\My Documents\\star.bmp", 20, 16);
  EXPECT_EQ(CalyraEditor_GetIconLinkImage(task), nullptr);
  EXPECT_EQ(CalyraEditor_SetIconLink(task, u"\\My Documents\\star.bmp"), 1);
  EXPECT_EQ(CalyraEditor_IsItemLinked(task), 0) << "an icon link alone does not count";
  HIMAGELIST first = CalyraEditor_GetIconLinkImage(task);
  HIMAGELIST second = CalyraEditor_GetIconLinkImage(task);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(first, &width, &height);
  EXPECT_EQ(width, 20);
  EXPECT_EQ(height, 16);
  ImageList_Destroy(first);
  ImageList_Destroy(second);

  // Setting another path leaves one icon link; a broken file gives no image, and a fixed one does.
  EXPECT_EQ(CalyraEditor_SetIconLink(task, u"\\My Documents\\moon.bmp"), 1);
  EXPECT_EQ(CalyraEditor_GetIconLinkImage(task), nullptr);
  WriteBitmapFile(u"\\My Documents\\moon.bmp", 8, 8);
  HIMAGELIST moon = CalyraEditor_GetIconLinkImage(task);
  EXPECT_NE(moon, nullptr) << "a failed load is not remembered";
  ImageList_Destroy(moon);
  EXPECT_EQ(LinksOf(task), (std::vector<Link>{{LinkType::Icon, 0, u"\\My Documents\\moon.bmp"}}))
      << "one icon link";

  EXPECT_EQ(CalyraEditor_SetIconLink(task, nullptr), 1);
  EXPECT_EQ(CalyraEditor_GetIconLinkImage(task), nullptr);
  EXPECT_TRUE(LinksOf(task).empty());
}

TEST_F(LinkExportsTest, DestroyPurgesLinksToFilesThatAreGone) {
  ItemOid task = SaveTask(u"Tax return");
  LinkStore store;
  ASSERT_TRUE(store.AddFileLink(task, u"\\My Documents\\gone.txt"));
  ASSERT_TRUE(store.AddWebLink(task, u"www.example.org"));
  ASSERT_EQ(CalyraEditor_Destroy(), 1);
  LinkRecord record;
  ASSERT_NE(store.FirstLinkOf(task, &record, false), 0u);
  EXPECT_EQ(record.type, LinkType::Web);
  EXPECT_EQ(store.NextLinkOf(task, &record, false), 0u);
}

}  // namespace
