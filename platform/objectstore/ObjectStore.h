#pragma once

#include <functional>

#include "platform/core/HandleTable.h"
#include "platform/objectstore/ObjectStoreTypes.h"

// The object store's property databases. Every call is one atomic, durable step of the device's store,
// safe against other threads and other processes on the same device. A null volume and the system
// volume (CREATE_SYSTEMGUID) both mean the object store; any other volume fails.

CEOID CeCreateDatabaseEx(PCEGUID volume, CEDBASEINFO* info);
HANDLE CeOpenDatabaseEx(PCEGUID volume, PCEOID oid, LPCWSTR name, CEPROPID sortProperty, DWORD flags,
                        CENOTIFYREQUEST* notify);
CEOID CeSeekDatabase(HANDLE database, DWORD seekType, uintptr_t value, DWORD* index);
CEOID CeReadRecordPropsEx(HANDLE database, DWORD flags, WORD* propertyCount, const CEPROPID* properties,
                          LPBYTE* buffer, DWORD* bufferSize, HANDLE heap);
CEOID CeReadRecordProps(HANDLE database, DWORD flags, WORD* propertyCount, const CEPROPID* properties,
                        LPBYTE* buffer, DWORD* bufferSize);
CEOID CeWriteRecordProps(HANDLE database, CEOID record, WORD propertyCount, const CEPROPVAL* values);
BOOL CeDeleteRecord(HANDLE database, CEOID record);
BOOL CeOidGetInfoEx(PCEGUID volume, CEOID oid, CEOIDINFO* info);
BOOL CeOidGetInfo(CEOID oid, CEOIDINFO* info);
BOOL CeSetDatabaseInfoEx(PCEGUID volume, CEOID database, CEDBASEINFO* info);
BOOL CeDeleteDatabaseEx(PCEGUID volume, CEOID database);
BOOL CeDeleteDatabase(CEOID database);
// Enumerates databases of one type (0: every type) in creation order.
HANDLE CeFindFirstDatabaseEx(PCEGUID volume, DWORD databaseType);
CEOID CeFindNextDatabaseEx(HANDLE search, PCEGUID volume);

namespace platform {

// Where change notifications of open databases go: the window system posts them to the window named
// at open. Until one is set, notifications are dropped.
using DatabaseChangeSink = std::function<void(HWND window, UINT message, WPARAM oid, LPARAM parent)>;
void SetDatabaseChangeSink(DatabaseChangeSink sink);

}  // namespace platform
