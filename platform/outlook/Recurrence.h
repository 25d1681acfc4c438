#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"

// A recurrence pattern as the records keep it (property 0x40150041) and its occurrences, expanded
// by libical from an RRULE made of the pattern. docs/OUTLOOK.md describes the mapping and the blob.
namespace platform {

enum class RecurrenceEnd : uint8_t { None = 0, AfterCount = 1, ByDate = 2 };

// One changed or deleted occurrence of an appointment series.
struct RecurrenceException {
  DATE originalDate = 0;  // local day the occurrence had in the pattern
  bool deleted = false;
  CEOID oid = 0;  // the appointment record that replaces it (0 when deleted)
};

struct RecurrenceData {
  LONG type = 1;  // olRecursWeekly
  LONG interval = 1;
  LONG dayOfWeekMask = 0;
  LONG dayOfMonth = 0;
  LONG instance = 0;
  LONG monthOfYear = 0;
  DATE patternStartDate = 0;  // a day, no time
  RecurrenceEnd end = RecurrenceEnd::None;
  LONG occurrences = 0;          // when end is AfterCount
  DATE patternEndDate = 949998;  // a day, when end is ByDate
  std::vector<RecurrenceException> exceptions;
};

// A pattern for an item starting at `start`: weekly on its weekday, every week, without end; the
// day, month and instance fields follow the start too.
RecurrenceData DefaultRecurrence(DATE start);

// The blob and back. Decoding checks the whole layout and every field: nullopt for anything that
// is not a pattern written here (byte 4 is not read).
std::vector<uint8_t> EncodeRecurrence(const RecurrenceData& pattern);
std::optional<RecurrenceData> DecodeRecurrence(const uint8_t* bytes, size_t size);

// The RRULE the pattern expands by, empty when the pattern is invalid.
std::string RecurrenceRule(const RecurrenceData& pattern);

inline constexpr size_t kMaxOccurrenceSteps = 100000;

// The local starts of the pattern's occurrences (the pattern start day at `timeOfDay`, 0 to <1) that
// fall in [from, to), at most `limit` of them, in order. Exceptions are not applied. The iterator
// takes at most kMaxOccurrenceSteps steps, so a pattern without end never runs away.
std::vector<DATE> ExpandOccurrences(const RecurrenceData& pattern, DATE from, DATE to, size_t limit,
                                    double timeOfDay = 0.0);
// The first occurrence starting after `after`, if any.
std::optional<DATE> NextOccurrence(const RecurrenceData& pattern, DATE after, double timeOfDay = 0.0);
// The last occurrence of a pattern with an end, if any.
std::optional<DATE> LastOccurrence(const RecurrenceData& pattern, double timeOfDay = 0.0);

}  // namespace platform
