#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "links/LinkCache.h"
#include "links/LinkStore.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

TEST(LinkCacheTest, SearchesReturnTheFirstMatchFromTheHead) {
  LinkCache cache;
  cache.Append(10, 1, LinkType::Contact, 20);
  cache.Append(20, 2, LinkType::Appointment, 10);
  cache.Append(10, 3, LinkType::Icon, 0);
  cache.Append(10, 4, LinkType::Contact, 30);
  EXPECT_EQ(cache.FindItem(10)->linkId, 1);
  EXPECT_EQ(cache.FindItem(30)->linkId, 4);
  EXPECT_FALSE(cache.FindItem(40));
  EXPECT_EQ(cache.FindOwnerType(10, LinkType::Contact)->linkId, 1);
  EXPECT_EQ(cache.FindOwnerType(10, LinkType::Icon)->linkId, 3);
  EXPECT_EQ(cache.FindOwnerOtherType(10, LinkType::Contact)->linkId, 3);
  EXPECT_FALSE(cache.FindOwnerOtherType(20, LinkType::Appointment));
  EXPECT_EQ(cache.FindLinkId(2)->owner, 20u);

  EXPECT_FALSE(cache.IsLinked(30)) << "only a target, of a half whose pair is missing";
  cache.Append(40, 5, LinkType::Icon, 0);
  EXPECT_FALSE(cache.IsLinked(40)) << "an icon link alone does not count";
  EXPECT_TRUE(cache.IsLinked(20));
  EXPECT_TRUE(cache.RemoveLinkId(2));
  EXPECT_FALSE(cache.RemoveLinkId(2));
  EXPECT_FALSE(cache.IsLinked(20)) << "the index follows removals";
  EXPECT_TRUE(cache.IsLinked(10));
  EXPECT_EQ(cache.RemoveItem(10), 3);
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_FALSE(cache.IsLinked(10));
}

TEST(LinkCacheTest, ANodeOwnsItsImage) {
  LinkCache cache;
  cache.Append(10, 1, LinkType::Icon, 0);
  HIMAGELIST image = ImageList_Create(16, 16, 0, 1, 0);
  EXPECT_TRUE(cache.SetImage(1, image));
  EXPECT_EQ(cache.FindLinkId(1)->image, image);
  EXPECT_FALSE(cache.SetImage(9, ImageList_Create(16, 16, 0, 1, 0))) << "no node: the image is destroyed";
  cache.Clear();  // destroys the node's image; the sanitizer build sees a leak otherwise
  EXPECT_EQ(cache.Count(), 0u);
}

class LinkCacheLoadTest : public DeviceTest {};

TEST_F(LinkCacheLoadTest, LoadingMirrorsTheDatabaseAndNothingWithoutIt) {
  LinkCache cache;
  LoadLinkCache(cache);
  EXPECT_EQ(cache.Count(), 0u);
  {
    LinkStore store;
    ASSERT_TRUE(store.AddWebLink(10, u"www.example.org"));
    ASSERT_TRUE(store.AddLink(10, nullptr, LinkType::Contact, 20));
    ASSERT_TRUE(store.AddIconLink(20, u"\\star.bmp"));
  }
  LoadLinkCache(cache);
  ASSERT_EQ(cache.Count(), 3u);
  EXPECT_EQ(cache.FindOwnerType(10, LinkType::Contact)->target, 20u);
  EXPECT_EQ(cache.FindOwnerType(20, LinkType::Icon)->linkId, 3);
  EXPECT_EQ(cache.FindOwnerType(10, LinkType::Web)->target, 0u) << "the text is not read into the cache";
}

// The loader appends on its own thread while the host's thread searches and changes the cache.
TEST_F(LinkCacheLoadTest, ReadsThatOverlapTheLoadAreSafe) {
  {
    LinkStore store;
    for (ItemOid owner = 1; owner <= 200; ++owner) ASSERT_TRUE(store.AddWebLink(owner, u"www.example.org"));
  }
  LinkCache cache;
  std::atomic<bool> done = false;
  std::thread loader([&] {
    LoadLinkCache(cache);
    done = true;
  });
  int searches = 0;
  while (!done || searches == 0) {
    cache.IsLinked(150);
    cache.FindOwnerOtherType(120, LinkType::Icon);
    cache.FindItem(199);
    cache.Append(1000, 60000, LinkType::Web, 0);
    cache.RemoveLinkId(60000);
    ++searches;
  }
  loader.join();
  EXPECT_EQ(cache.Count(), 200u);
  EXPECT_TRUE(cache.IsLinked(150));
}

}  // namespace
