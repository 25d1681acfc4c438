#include "host/OptionStore.h"

#include <cstddef>

#include "platform/text/Text.h"

namespace calyra {

// The records are the host's: their layouts must not move.
static_assert(offsetof(CalyraEditorOptions, categoryImageFolder) == 20);
static_assert(offsetof(CalyraEditorOptions, timeOfDay) == 540);
static_assert(offsetof(CalyraNoteOptions, inkValue) == 24);
static_assert(offsetof(CalyraNoteOptions, fontName) == 26);
static_assert(offsetof(CalyraDisplayOptions, clearType) == 132);
static_assert(offsetof(CalyraDisplayOptions, summaryFontSize) == 148);
static_assert(offsetof(CalyraDisplayOptions, calendarColors) == 164);
static_assert(sizeof(CalyraDisplayOptions) == 188);
static_assert(offsetof(CalyraJournalOptions, location) == 16);
static_assert(sizeof(CalyraContactOptions) == 28);

namespace {

constexpr int kZoomPercent[] = {75, 100, 150, 200, 300};
constexpr DWORD kDefaultZoom = 1;

// A host string may lack its zero: the copy is cut at the field's bound.
template <size_t N>
void CopyField(WCHAR (&target)[N], const WCHAR (&source)[N]) {
  platform::BoundedCopy(target, N, platform::TextView(source, N - 1));
}

}  // namespace

OptionStore::OptionStore() {
  editor_.confirmDeletions = 1;
  editor_.newTaskReminder = 1;
  editor_.newAppointmentReminder = 15;
  editor_.valueD = 1;
  editor_.timeOfDay = 480;
  note_.setting1 = 1;
  note_.setting2 = 2;
  note_.setting3 = 1;
  note_.zoom = kDefaultZoom;
  platform::BoundedCopy(display_.fontName, 64, u"Tahoma");
  display_.colors[0] = 0xFFFFFF;  // window
  display_.colors[1] = 0x800000;  // active caption
  display_.colors[2] = 0x000000;  // window text
  display_.summaryFontSize = 9;
  const DWORD calendar[6] = {0xFFFFFF, 0xFFFFFF, 0x000000, 0x990000, 0xFFFFFF, 0x808080};
  std::copy(std::begin(calendar), std::end(calendar), display_.calendarColors);
  journal_.windowState[1] = 1;
  contact_.values[0] = 1;
  contact_.values[2] = 1;
  contact_.values[3] = -1;
}

void OptionStore::SetEditorOptions(const CalyraEditorOptions& options) {
  marker_ = kMarker;
  editor_ = options;
  CopyField(editor_.categoryImageFolder, options.categoryImageFolder);
}

void OptionStore::SetNoteOptions(const CalyraNoteOptions& options) {
  marker_ = kMarker;
  note_ = options;
  CopyField(note_.fontName, options.fontName);
}

void OptionStore::SetDisplayOptions(const CalyraDisplayOptions& options) {
  marker_ = kMarker;
  display_ = options;
  CopyField(display_.fontName, options.fontName);
}

void OptionStore::SetJournalOptions(const CalyraJournalOptions& options) {
  marker_ = kMarker;
  journal_ = options;
  CopyField(journal_.location, options.location);
}

void OptionStore::GetJournalOptions(CalyraJournalOptions* options) const {
  DWORD first = options->reserved;
  *options = journal_;
  options->reserved = first;
}

void OptionStore::SetContactOptions(const CalyraContactOptions& options) {
  marker_ = kMarker;
  contact_ = options;
}

DWORD OptionStore::NoteSetting(int which) const {
  switch (which) {
    case 1:
      return note_.setting1;
    case 2:
      return note_.setting2;
    case 3:
      return note_.setting3;
    default:
      return 0;
  }
}

void OptionStore::SetNoteSetting(int which, DWORD value) {
  if (which == 1) note_.setting1 = value;
  if (which == 2) note_.setting2 = value;
  if (which == 3) note_.setting3 = value;
}

DWORD OptionStore::NoteZoom() {
  if (note_.zoom >= std::size(kZoomPercent)) note_.zoom = kDefaultZoom;
  return note_.zoom;
}

int OptionStore::NoteZoomPercent() {
  return kZoomPercent[NoteZoom()];
}

void OptionStore::SetNoteFontName(std::u16string_view name) {
  platform::BoundedCopy(note_.fontName, 64, name);
}

void OptionStore::SetJournalWindowState(DWORD first, DWORD second) {
  journal_.windowState[0] = first;
  journal_.windowState[1] = second;
}

}  // namespace calyra
