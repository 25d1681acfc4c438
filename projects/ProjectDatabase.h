#pragma once

#include "store/Database.h"

namespace calyra {

// The properties of the records of "CY_ProjectDatabase". Every record is one project entry.
inline constexpr CEPROPID kEntryTypeTag = 0x00640013;
inline constexpr CEPROPID kParentIdTag = 0x00650013;
inline constexpr CEPROPID kProjectIdTag = 0x00660013;
inline constexpr CEPROPID kNameTag = 0x0067001F;
inline constexpr CEPROPID kStartDateTag = 0x00680040;
inline constexpr CEPROPID kEndDateTag = 0x00690040;
inline constexpr CEPROPID kPercentCompleteTag = 0x006A0013;
inline constexpr CEPROPID kProjectDataTag = 0x006B0041;
inline constexpr CEPROPID kProjectNotesTag = 0x006C001F;
inline constexpr CEPROPID kBookedOnTag = 0x006D0013;
inline constexpr CEPROPID kPlannedEndTag = 0x00700040;
inline constexpr CEPROPID kLinkedItemTag = 0x00710013;
inline constexpr CEPROPID kItemDateTag = 0x00720040;
inline constexpr CEPROPID kFilePathTag = 0x0073001F;
inline constexpr CEPROPID kCompletedDateTag = 0x00740040;

// The component's project database. Opening creates it when it is missing, so that the first
// project of a device needs no set-up step.
class ProjectDatabase : public Database {
 public:
  static const char16_t* Name();
  // The sort orders in the order they are created: parent, own identifier, linked item, entry type.
  static std::vector<SORTORDERSPEC> SortOrders();

  // Opens the database (creating it first when missing), sorted by `sortProperty` (one of the four
  // sort properties, or 0).
  bool Open(CEPROPID sortProperty = 0);
};

}  // namespace calyra
