#pragma once

namespace platform {

// The tables of a device's store, created when a device is first opened.
inline constexpr const char* kDeviceSchema = R"sql(
CREATE TABLE IF NOT EXISTS settings(name TEXT PRIMARY KEY, value TEXT NOT NULL);

-- Object store. Every database and record is an object with an oid unique across the store; a
-- record's properties are its data (see RecordValues).
CREATE TABLE IF NOT EXISTS objects(
  oid INTEGER PRIMARY KEY AUTOINCREMENT,
  kind INTEGER NOT NULL,
  parent INTEGER NOT NULL DEFAULT 0,
  size INTEGER NOT NULL DEFAULT 0,
  data BLOB);
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
-- One row per record and sort order: rank places records without the property first or last.
CREATE TABLE IF NOT EXISTS sortkeys(
  db INTEGER NOT NULL, slot INTEGER NOT NULL, rank INTEGER NOT NULL, key, record INTEGER NOT NULL,
  PRIMARY KEY(db, slot, rank, key, record)) WITHOUT ROWID;
-- A record's keys are found from its values; devices made before that lose the index by record.
DROP INDEX IF EXISTS sortkeys_by_record;

-- Registry.
CREATE TABLE IF NOT EXISTS regkeys(
  id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS regvalues(
  key INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,
  seq INTEGER NOT NULL, PRIMARY KEY(key, fold)) WITHOUT ROWID;

-- How often the settings and the registry have changed. Triggers count every change, by any connection
-- of any process, so code that keeps values read from them compares a count instead of reading them
-- again.
CREATE TABLE IF NOT EXISTS changecounts(area TEXT PRIMARY KEY, count INTEGER NOT NULL);
CREATE TRIGGER IF NOT EXISTS settings_inserted AFTER INSERT ON settings BEGIN
  INSERT INTO changecounts VALUES('settings', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS settings_updated AFTER UPDATE ON settings BEGIN
  INSERT INTO changecounts VALUES('settings', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS settings_deleted AFTER DELETE ON settings BEGIN
  INSERT INTO changecounts VALUES('settings', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS regkeys_inserted AFTER INSERT ON regkeys BEGIN
  INSERT INTO changecounts VALUES('registry', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS regkeys_updated AFTER UPDATE ON regkeys BEGIN
  INSERT INTO changecounts VALUES('registry', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS regkeys_deleted AFTER DELETE ON regkeys BEGIN
  INSERT INTO changecounts VALUES('registry', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS regvalues_inserted AFTER INSERT ON regvalues BEGIN
  INSERT INTO changecounts VALUES('registry', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS regvalues_updated AFTER UPDATE ON regvalues BEGIN
  INSERT INTO changecounts VALUES('registry', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;
CREATE TRIGGER IF NOT EXISTS regvalues_deleted AFTER DELETE ON regvalues BEGIN
  INSERT INTO changecounts VALUES('registry', 1) ON CONFLICT(area) DO UPDATE SET count = count + 1; END;

-- File attributes the host file system cannot keep for us (read-only, as root ignores modes).
CREATE TABLE IF NOT EXISTS fileattrs(path TEXT PRIMARY KEY, attributes INTEGER NOT NULL);

-- Programs started and documents opened on the device.
CREATE TABLE IF NOT EXISTS launchlog(
  id INTEGER PRIMARY KEY AUTOINCREMENT, time INTEGER NOT NULL, verb TEXT NOT NULL, program TEXT NOT NULL,
  arguments TEXT NOT NULL);
)sql";

}  // namespace platform
