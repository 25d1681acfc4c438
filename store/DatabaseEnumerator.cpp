#include "store/DatabaseEnumerator.h"

#include "platform/objectstore/ObjectStore.h"

namespace calyra {

DatabaseEnumerator::DatabaseEnumerator(DWORD databaseType)
    : search_(CeFindFirstDatabaseEx(nullptr, databaseType)) {}

DatabaseEnumerator::~DatabaseEnumerator() {
  if (search_ != INVALID_HANDLE_VALUE) CloseHandle(search_);
}

CEOID DatabaseEnumerator::Next() {
  if (search_ == INVALID_HANDLE_VALUE) return 0;
  return CeFindNextDatabaseEx(search_, nullptr);
}

}  // namespace calyra
