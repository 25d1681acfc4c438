#pragma once

#include <optional>
#include <string_view>

#include "links/LinkRecord.h"

namespace calyra {

class LinkCache;

// The way every part of the component reads and writes the link database. One object per use, used
// on the thread that made it; it keeps one handle open at a time and opens it again only for another
// sort order, notification or advance setting. Only adding a link creates the database: every other
// operation fails quietly without it. With a cache, additions and deletions keep it in step.
class LinkStore {
 public:
  explicit LinkStore(LinkCache* cache = nullptr) : cache_(cache) {}
  ~LinkStore();
  LinkStore(const LinkStore&) = delete;
  LinkStore& operator=(const LinkStore&) = delete;

  bool OpenLinkStore(bool createIfMissing, bool autoIncrement, HWND notifyWindow, DWORD notifyParam,
                     CEPROPID sortProperty);
  void CloseLinkStore();

  // Writes one link with the smallest free id (1 to 65534); the cache gets its node even when the
  // write failed, as the next start rebuilds the cache from the database.
  bool AddLink(ItemOid owner, WORD* linkId, LinkType type, ItemOid target, std::u16string_view text = {});
  // Links owner to target and target back to owner; the result is that of the first half.
  bool AddTwoWayLink(ItemOid owner, WORD* linkId, LinkType type, ItemOid target);
  // Deletes one link and, for an item link, every reverse half of it.
  bool DeleteLink(DWORD linkId);
  // Deletes every link the item owns or is the target of; the store stays open.
  bool DeleteLinksOfItem(ItemOid item, int* count = nullptr);

  // The owner's links one by one: the record's oid, 0 at the end.
  CEOID FirstLinkOf(ItemOid owner, LinkRecord* record, bool resolveText);
  CEOID NextLinkOf(ItemOid owner, LinkRecord* record, bool resolveText);
  bool ReadLinkById(DWORD linkId, LinkRecord* record);
  // Puts the far end's display text into an item link's text; file, web and icon links keep theirs.
  static bool ResolveLinkText(LinkRecord* record);
  // Deletes links whose owner, target item or file is gone; web links are never tested.
  void PurgeStaleLinks();

  bool LinkContact(ItemOid owner, ItemOid contact) {
    return AddTwoWayLink(owner, nullptr, LinkType::Contact, contact);
  }
  bool LinkAppointment(ItemOid owner, ItemOid appointment) {
    return AddTwoWayLink(owner, nullptr, LinkType::Appointment, appointment);
  }
  bool LinkTask(ItemOid owner, ItemOid task) { return AddTwoWayLink(owner, nullptr, LinkType::Task, task); }
  bool AddFileLink(ItemOid owner, std::u16string_view path) {
    return AddLink(owner, nullptr, LinkType::File, 0, path);
  }
  bool AddWebLink(ItemOid owner, std::u16string_view address) {
    return AddLink(owner, nullptr, LinkType::Web, 0, address);
  }
  bool AddIconLink(ItemOid owner, std::u16string_view imagePath) {
    return AddLink(owner, nullptr, LinkType::Icon, 0, imagePath);
  }

 private:
  bool Open(CEPROPID sortProperty, bool autoIncrement = false, bool create = false);
  bool Create();
  bool SeekValue(DWORD seekType, CEPROPID property, DWORD value);
  bool ReadCurrent(LinkRecord* record, CEOID* oid = nullptr);
  std::optional<WORD> IdAtIndex(DWORD index);
  bool IdInUse(WORD linkId);
  DWORD FirstPositiveIndex(DWORD records);
  WORD SmallestFreeId();
  bool WriteLink(ItemOid owner, WORD linkId, LinkType type, ItemOid target, std::u16string_view text);
  int DeleteAllEqual(CEPROPID property, ItemOid item);
  bool IsStale(const LinkRecord& record);

  LinkCache* cache_;
  CEOID databaseOid_ = 0;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool autoIncrement_ = false;
  HWND notifyWindow_ = nullptr;
  DWORD notifyParam_ = 0;
  CENOTIFYREQUEST notifyRequest_{};
  CEPROPID sortProperty_ = 0;
};

// Fills `cache` from the link database: the body of the loader thread. Ends with what was read at the
// first read that fails.
void LoadLinkCache(LinkCache& cache);

}  // namespace calyra
