// The New and Edit exports: each fills an edit request and posts it to the MainWindow, where the
// host's message loop later opens the editor. They return at once.
#include <algorithm>
#include <memory>

#include "CalyraEditor.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/EditRequest.h"
#include "host/MainWindow.h"
#include "host/exports/ExportGuard.h"
#include "platform/outlook/PocketOutlook.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"
#include "store/OutlookSession.h"

namespace {

using calyra::EditorKind;
using calyra::EditRequest;

constexpr int kSeriesPage = 1;

std::unique_ptr<EditRequest> NewRequest() {
  auto request = std::make_unique<EditRequest>();
  calyra::Component& component = calyra::Component::Process();
  request->owner = component.mainWindow ? component.mainWindow->Window() : nullptr;
  return request;
}

// The request belongs to the MainWindow once posted; without one nothing is posted.
int Post(std::unique_ptr<EditRequest> request, EditorKind kind) {
  if (!request->owner) return 0;
  if (!PostMessageW(request->owner, calyra::kMsgOpenEditor, calyra::ToMessage(kind),
                    reinterpret_cast<LPARAM>(request.get()))) {
    return 0;
  }
  request.release();
  return 1;
}

void SetDate(const SYSTEMTIME* date, bool* has, SYSTEMTIME* target) {
  if (!date) return;
  *has = true;
  *target = *date;
}

// The host passes its whole array of category numbers: a non-zero count takes all of it, and the
// count is cut at the array's size.
static_assert(EditRequest::kMaxCategories == CALYRA_MAX_NEW_CATEGORIES);

void SetCategories(EditRequest& request, const WORD* categories, WORD count) {
  request.categories.fill(0);
  request.categoryCount = 0;
  if (!categories || !count) return;
  std::copy_n(categories, EditRequest::kMaxCategories, request.categories.begin());
  request.categoryCount = static_cast<WORD>(std::min<size_t>(count, EditRequest::kMaxCategories));
}

int NewDatedItem(EditorKind kind, const SYSTEMTIME* first, const SYSTEMTIME* second, const WCHAR* subject,
                 DWORD valueA, const WORD* categories, WORD categoryCount, int noTemplate, DWORD valueB) {
  auto request = NewRequest();
  SetDate(first, &request->hasFirstDate, &request->firstDate);
  SetDate(second, &request->hasSecondDate, &request->secondDate);
  if (subject) request->subject = subject;
  SetCategories(*request, categories, categoryCount);
  request->linkWith = valueA;
  request->noTemplate = noTemplate != 0;
  request->project = valueB;
  return Post(std::move(request), kind);
}

// Whether the stored appointment recurs; nothing when it cannot be read.
std::optional<bool> IsRecurring(CEOID item, HWND owner) {
  calyra::OutlookSession session;
  if (!session.Logon(owner)) return std::nullopt;
  auto appointment = session.GetItem<IAppointment>(item, IID_IAppointment);
  if (!appointment) return std::nullopt;
  VARIANT_BOOL recurring = VARIANT_FALSE;
  appointment->get_IsRecurring(&recurring);
  return recurring != VARIANT_FALSE;
}

}  // namespace

CALYRA_API int CalyraEditor_NewAppointment(DWORD, const SYSTEMTIME* start, const SYSTEMTIME* end,
                                           const WCHAR* subject, DWORD valueA, const WORD* categories,
                                           WORD categoryCount, int noTemplate, DWORD valueB) {
  return calyra::Guarded(0, [&] {
    return NewDatedItem(EditorKind::NewAppointment, start, end, subject, valueA, categories, categoryCount,
                        noTemplate, valueB);
  });
}

CALYRA_API int CalyraEditor_NewTask(DWORD, const SYSTEMTIME* start, const SYSTEMTIME* due,
                                    const WCHAR* subject, DWORD valueA, const WORD* categories,
                                    WORD categoryCount, int noTemplate, DWORD valueB) {
  return calyra::Guarded(0, [&] {
    return NewDatedItem(EditorKind::NewTask, start, due, subject, valueA, categories, categoryCount,
                        noTemplate, valueB);
  });
}

CALYRA_API int CalyraEditor_NewContact(DWORD, const WORD* categories, WORD categoryCount, int noTemplate,
                                       DWORD valueB) {
  return calyra::Guarded(0, [&] {
    auto request = NewRequest();
    SetCategories(*request, categories, categoryCount);
    request->noTemplate = noTemplate != 0;
    request->project = valueB;
    return Post(std::move(request), EditorKind::NewContact);
  });
}

CALYRA_API int CalyraEditor_NewProject(DWORD, DWORD item) {
  return calyra::Guarded(0, [&] {
    auto request = NewRequest();
    request->noTemplate = true;
    request->item = item;
    return Post(std::move(request), EditorKind::NewProject);
  });
}

CALYRA_API int CalyraEditor_EditTask(DWORD, const SYSTEMTIME* occurrence, CEOID item, int summary,
                                     int startPage, DWORD editValue) {
  return calyra::Guarded(0, [&] {
    auto request = NewRequest();
    SetDate(occurrence, &request->hasFirstDate, &request->firstDate);
    request->item = item;
    request->startPage = startPage;
    request->editValue = editValue;
    request->summary = startPage <= 0 && summary != 0;
    return Post(std::move(request), EditorKind::EditTask);
  });
}

CALYRA_API int CalyraEditor_EditContact(DWORD, CEOID item, int summary, int startPage, DWORD editValue) {
  return calyra::Guarded(0, [&] {
    auto request = NewRequest();
    request->item = item;
    request->summary = summary != 0;
    request->startPage = startPage;
    request->editValue = editValue;
    return Post(std::move(request), EditorKind::EditContact);
  });
}

CALYRA_API int CalyraEditor_EditProject(DWORD, CEOID item, int startPage) {
  return calyra::Guarded(0, [&] {
    auto request = NewRequest();
    request->item = item;
    request->startPage = startPage;
    return Post(std::move(request), EditorKind::EditProject);
  });
}

CALYRA_API int CalyraEditor_EditAppointment(DWORD, const SYSTEMTIME* occurrence, CEOID item, int summary,
                                            int startPage, DWORD editValue, int doNotAsk) {
  return calyra::Guarded(0, [&] {
    auto request = NewRequest();
    request->editValue = editValue;
    request->item = item;
    SetDate(occurrence, &request->hasFirstDate, &request->firstDate);
    request->startPage = startPage;
    request->summary = summary != 0;
    if (startPage > 0) {
      request->summary = false;
      request->openScope = startPage == kSeriesPage ? calyra::kOpenSeries : calyra::kOpenOccurrence;
    }
    if (editValue) {
      request->summary = false;
      request->openScope = calyra::kOpenNotRecurring;
      return Post(std::move(request), EditorKind::EditAppointment);
    }
    if (startPage != 0) return Post(std::move(request), EditorKind::EditAppointment);
    std::optional<bool> recurring = IsRecurring(item, request->owner);
    if (!recurring) return 0;
    if (*recurring) {
      request->recurring = true;
      if (doNotAsk) {
        request->openScope = calyra::kOpenOccurrence;
      } else {
        HINSTANCE resources = calyra::Component::Process().Resources();
        int answer =
            MessageBoxW(request->owner,
                        calyra::ResourceText(resources, calyra::resources::kStringRecurringQuestion).c_str(),
                        calyra::ResourceText(resources, calyra::resources::kStringCaption).c_str(),
                        MB_YESNOCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND);
        if (answer == IDCANCEL) return 0;
        request->openScope = answer == IDYES ? calyra::kOpenOccurrence : calyra::kOpenSeries;
      }
    }
    return Post(std::move(request), EditorKind::EditAppointment);
  });
}
