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

// Sessions, in the shape of the device's later database engine. Between CeBeginTransaction and
// CeEndTransaction every object store call of the process is one atomic, durable step: all of it is
// kept on commit, none of it after a rollback, a failed commit or a crash. Serializable transactions
// write (they wait for other processes' writes at the begin); the other levels read one snapshot of
// the store and refuse writes. Transactions of several sessions nest into the outermost. Closing a
// session rolls back its open transaction.
inline constexpr DWORD CEDB_ISOLEVEL_READCOMMITTED = 1;
inline constexpr DWORD CEDB_ISOLEVEL_REPEATABLEREAD = 2;
inline constexpr DWORD CEDB_ISOLEVEL_SERIALIZABLE = 3;
inline constexpr DWORD CEDB_ISOLEVEL_DEFAULT = CEDB_ISOLEVEL_READCOMMITTED;
HANDLE CeCreateSession(PCEGUID volume);
BOOL CeBeginTransaction(HANDLE session, DWORD isolationLevel);
BOOL CeEndTransaction(HANDLE session, BOOL commit);

namespace platform {

// Where change notifications of open databases go: the window system posts them to the window named
// at open. Until one is set, notifications are dropped.
using DatabaseChangeSink = std::function<void(HWND window, UINT message, WPARAM oid, LPARAM parent)>;
void SetDatabaseChangeSink(DatabaseChangeSink sink);

}  // namespace platform
