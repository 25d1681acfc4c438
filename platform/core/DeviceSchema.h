#pragma once

namespace platform {

// The tables of a device's store, created when a device is first opened.
inline constexpr const char* kDeviceSchema = R"sql(
CREATE TABLE IF NOT EXISTS settings(name TEXT PRIMARY KEY, value TEXT NOT NULL);

-- Object store. Every database and record is an object with an oid unique across the store.
CREATE TABLE IF NOT EXISTS objects(
  oid INTEGER PRIMARY KEY AUTOINCREMENT,
  kind INTEGER NOT NULL,
  parent INTEGER NOT NULL DEFAULT 0,
  size INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS objects_by_parent ON objects(parent, oid);
CREATE TABLE IF NOT EXISTS databases(
  oid INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  fold TEXT NOT NULL UNIQUE,
  type INTEGER NOT NULL,
  flags INTEGER NOT NULL,
  modified INTEGER NOT NULL,
  records INTEGER NOT NULL DEFAULT 0,
  size INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS databases_by_type ON databases(type, oid);
CREATE TABLE IF NOT EXISTS sortorders(
  db INTEGER NOT NULL, slot INTEGER NOT NULL, propid INTEGER NOT NULL, flags INTEGER NOT NULL,
  PRIMARY KEY(db, slot));
CREATE TABLE IF NOT EXISTS props(
  record INTEGER NOT NULL, propid INTEGER NOT NULL, value,
  PRIMARY KEY(record, propid)) WITHOUT ROWID;
-- One row per record and sort order: rank places records without the property first or last.
CREATE TABLE IF NOT EXISTS sortkeys(
  db INTEGER NOT NULL, slot INTEGER NOT NULL, rank INTEGER NOT NULL, key, record INTEGER NOT NULL,
  PRIMARY KEY(db, slot, rank, key, record)) WITHOUT ROWID;
CREATE INDEX IF NOT EXISTS sortkeys_by_record ON sortkeys(record);

-- Registry.
CREATE TABLE IF NOT EXISTS regkeys(
  id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS regvalues(
  key INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,
  seq INTEGER NOT NULL, PRIMARY KEY(key, fold)) WITHOUT ROWID;

-- File attributes the host file system cannot keep for us (read-only, as root ignores modes).
CREATE TABLE IF NOT EXISTS fileattrs(path TEXT PRIMARY KEY, attributes INTEGER NOT NULL);

-- Programs started and documents opened on the device.
CREATE TABLE IF NOT EXISTS launchlog(
  id INTEGER PRIMARY KEY AUTOINCREMENT, time INTEGER NOT NULL, verb TEXT NOT NULL, program TEXT NOT NULL,
  arguments TEXT NOT NULL);
)sql";

}  // namespace platform
