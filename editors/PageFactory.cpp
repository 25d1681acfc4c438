#include "editors/PageFactory.h"

#include "editors/AppointmentPage.h"
#include "editors/AttendeesPage.h"
#include "editors/CategoriesPage.h"
#include "editors/ContactPage.h"
#include "editors/LinksPage.h"
#include "editors/NotesPage.h"
#include "editors/ProjectContentsPage.h"
#include "editors/ProjectPage.h"
#include "editors/ProjectReportPage.h"
#include "editors/ProjectTimePage.h"
#include "editors/RecurrencePage.h"
#include "editors/TaskPage.h"

namespace calyra {

namespace {

// A number the page traits know; any other has no page.
bool InRange(PageNumber number) {
  return FindPageTraits(number) != nullptr;
}

}  // namespace

// The editors register their pages here as they are built; a number without a maker has no page.
PageFactory::PageFactory() {
  SetMaker(PageNumber::Appointment, [] { return std::make_unique<AppointmentPage>(); });
  SetMaker(PageNumber::Attendees, [] { return std::make_unique<AttendeesPage>(); });
  SetMaker(PageNumber::Categories, [] { return std::make_unique<CategoriesPage>(); });
  SetMaker(PageNumber::Contact, [] { return std::make_unique<ContactPage>(); });
  SetMaker(PageNumber::Links, [] { return std::make_unique<LinksPage>(); });
  SetMaker(PageNumber::Notes, [] { return std::make_unique<NotesPage>(PageNumber::Notes); });
  SetMaker(PageNumber::Project, [] { return std::make_unique<ProjectPage>(); });
  SetMaker(PageNumber::ProjectContents, [] { return std::make_unique<ProjectContentsPage>(); });
  SetMaker(PageNumber::ProjectThird, [] { return std::make_unique<ProjectTimePage>(); });
  SetMaker(PageNumber::ProjectFourth, [] { return std::make_unique<ProjectReportPage>(); });
  SetMaker(PageNumber::ProjectNotes, [] { return std::make_unique<NotesPage>(PageNumber::ProjectNotes); });
  SetMaker(PageNumber::Recurrence, [] { return std::make_unique<RecurrencePage>(); });
  SetMaker(PageNumber::Task, [] { return std::make_unique<TaskPage>(); });
}

EditorPage* PageFactory::GetPage(PageNumber number) {
  if (!InRange(number)) return nullptr;
  auto slot = static_cast<size_t>(number);
  if (!pages_[slot] && makers_[slot]) pages_[slot] = makers_[slot]();
  return pages_[slot].get();
}

void PageFactory::SetMaker(PageNumber number, Maker maker) {
  if (!InRange(number)) return;
  auto slot = static_cast<size_t>(number);
  pages_[slot].reset();
  makers_[slot] = std::move(maker);
}

void PageFactory::Clear() {
  for (auto& page : pages_) page.reset();
}

}  // namespace calyra
