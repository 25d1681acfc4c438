#include "projects/ProjectDatabase.h"

#include "platform/core/LastError.h"

namespace calyra {

const char16_t* ProjectDatabase::Name() {
  return u"CY_ProjectDatabase";
}

std::vector<SORTORDERSPEC> ProjectDatabase::SortOrders() {
  return {{kParentIdTag, 0}, {kProjectIdTag, 0}, {kLinkedItemTag, 0}, {kEntryTypeTag, 0}};
}

bool ProjectDatabase::Open(CEPROPID sortProperty) {
  if (OpenByName(Name(), sortProperty)) return true;
  if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  // Another process may create it in between; the open after decides either way.
  Create(Name(), 0, SortOrders());
  return OpenByName(Name(), sortProperty);
}

}  // namespace calyra
