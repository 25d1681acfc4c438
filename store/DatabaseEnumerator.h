#pragma once

#include "platform/objectstore/ObjectStoreTypes.h"

namespace calyra {

// Walks the databases of the object store of one type (0: every type); the search handle closes
// with the object.
class DatabaseEnumerator {
 public:
  explicit DatabaseEnumerator(DWORD databaseType);
  ~DatabaseEnumerator();
  DatabaseEnumerator(const DatabaseEnumerator&) = delete;
  DatabaseEnumerator& operator=(const DatabaseEnumerator&) = delete;

  // The next database, or 0 when there are no more.
  CEOID Next();

 private:
  HANDLE search_;
};

}  // namespace calyra
