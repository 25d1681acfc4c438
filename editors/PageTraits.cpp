#include "editors/PageTraits.h"

#include "resources/ResourceIds.h"

namespace calyra {

namespace {

using namespace resources;
constexpr SipPreference kKeep = SipPreference::Unchanged;
constexpr SipPreference kDown = SipPreference::Down;
constexpr SipPreference kUp = SipPreference::Up;

// clang-format off
constexpr PageTraits kPages[] = {
  // number                    kind                       template                     menu                  disabled menu        focus  sip    main page of
  {PageNumber::Appointment,     PageKind::Appointment,     kDialogAppointmentPage,      kMenuAppointmentPage, kMenuAppointmentPage, true,  kKeep, ItemKind::Appointment},
  {PageNumber::Task,            PageKind::Task,            kDialogTaskPage,             kMenuTaskPage,        kMenuTaskPage,        true,  kKeep, ItemKind::Task},
  {PageNumber::Notes,           PageKind::Notes,           kDialogNotesPage,            kMenuNotesPage,       kMenuNotesPage,       false, kUp,   ItemKind::None},
  {PageNumber::Categories,      PageKind::Categories,      kDialogCategoriesPage,       kMenuCategoriesPage,  kMenuPlainPage,       false, kDown, ItemKind::None},
  {PageNumber::Links,           PageKind::Links,           kDialogLinksPage,            kMenuPlainPage,       kMenuPlainPage,       false, kDown, ItemKind::None},
  {PageNumber::Attendees,       PageKind::Attendees,       kDialogAttendeesPage,        kMenuPlainPage,       kMenuPlainPage,       false, kDown, ItemKind::None},
  {PageNumber::Contact,         PageKind::Contact,         kDialogContactPage,          kMenuContactPage,     kMenuContactPage,     false, kKeep, ItemKind::Contact},
  {PageNumber::Recurrence,      PageKind::Recurrence,      kDialogRecurrencePage,       kMenuRecurrencePage,  kMenuPlainPage,       true,  kKeep, ItemKind::None},
  {PageNumber::Project,         PageKind::Project,         kDialogProjectPage,          kMenuPlainPage,       kMenuPlainPage,       true,  kKeep, ItemKind::None},
  {PageNumber::ProjectNotes,    PageKind::Notes,           kDialogNotesPage,            kMenuNotesPage,       kMenuNotesPage,       false, kUp,   ItemKind::None},
  {PageNumber::ProjectContents, PageKind::ProjectContents, kDialogProjectContentsPage,  kMenuPlainPage,       kMenuPlainPage,       false, kDown, ItemKind::None},
  {PageNumber::ProjectThird,    PageKind::ProjectThird,    kDialogProjectTimePage,      kMenuPlainPage,       kMenuPlainPage,       false, kDown, ItemKind::None},
  {PageNumber::ProjectFourth,   PageKind::ProjectFourth,   kDialogProjectReportPage,    kMenuProjectReportPage, kMenuProjectReportPage, false, kDown, ItemKind::None},
};
// clang-format on

}  // namespace

const PageTraits* FindPageTraits(PageNumber number) {
  for (const PageTraits& traits : kPages) {
    if (traits.number == number) return &traits;
  }
  return nullptr;
}

const PageTraits& TraitsOf(PageNumber number) {
  return *FindPageTraits(number);
}

std::span<const PageTraits> AllPageTraits() {
  return kPages;
}

}  // namespace calyra
