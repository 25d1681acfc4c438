#include "editors/PageContainer.h"

#include "editors/EditorHost.h"
#include "editors/EditorMakers.h"
#include "editors/EditorMessages.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"

namespace calyra {

bool PageContainer::BuildPages(PageFactory& factory, HWND tabs) {
  std::vector<PageNumber> numbers = PageNumbers();
  for (size_t position = 0; position < numbers.size(); ++position) {
    size_t index = pages_.size();
    EditorPage* page = factory.GetPage(numbers[position]);
    if (!page) continue;  // an editor page that is not part of this build yet
    pages_.push_back(page);
    page->Attach(&context_, static_cast<int>(index), PageEnabled(position));
    TCITEMW tab{};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = const_cast<LPWSTR>(u"");
    tab.iImage = static_cast<int>(page->GetPageKind());
    SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&tab));
  }
  return true;
}

HWND PageContainer::ActivatePage(int index) {
  EditorPage* page = Page(static_cast<size_t>(index));
  if (index < 0 || !page) return nullptr;
  HWND window = page->Activate(index);
  if (!window && page->Create()) window = page->Activate(index);
  PostMessageW(context_.host->MainWindow(), kMsgLayoutForSip, reinterpret_cast<WPARAM>(window), 0);
  return window;
}

void PageContainer::LeavePage(int index) {
  if (EditorPage* page = Page(static_cast<size_t>(index))) page->Deactivate();
}

void PageContainer::RefocusCurrentPage(int index) {
  if (EditorPage* page = Page(static_cast<size_t>(index))) page->Refocus();
}

PageContainer::CloseResult PageContainer::Close(CloseAction action) {
  bool closed = true;
  if (SavesItem(action)) {
    for (EditorPage* page : pages_) {
      if (!page->Store(action)) return CloseResult::RefusedByPage;
    }
    ItemOid saved = 0;
    if (!Commit(&saved)) return CloseResult::Failed;
    closed = action == CloseAction::Ok ? RunPostSaveWork(saved) : RunItemCommand(action);
  } else if (action == CloseAction::Delete) {
    closed = RunItemCommand(action);
  }
  if (!closed) return CloseResult::Failed;
  for (EditorPage* page : pages_) {
    page->Reset(action);
    page->MarkNeedsLoad();
    page->Deactivate();
  }
  pages_.clear();
  return CloseResult::Closed;
}

// First the item joins the project it was made for (the editor's main page knows its kind), then the
// pages write what belongs to the saved item. Only the pages' own writes can fail the close; the item
// is saved either way.
bool PageContainer::RunPostSaveWork(ItemOid saved) {
  ItemOid project = 0;
  for (EditorPage* page : pages_) {
    ItemKind kind = page->Traits().mainPageOf;
    if (kind == ItemKind::None) continue;
    const SYSTEMTIME* date = nullptr;
    if (auto* appointment = dynamic_cast<CPIMAppointment*>(context_.item)) date = &appointment->start;
    project = context_.project ? context_.host->AddToProject(context_.project, kind, saved, date) : 0;
  }
  if (project) {
    PostMessageW(context_.host->HostWindow(), kNotifyItemSaved, kItemSavedWithResult,
                 static_cast<LPARAM>(project));
  }
  bool written = true;
  for (EditorPage* page : pages_) written = page->WriteAfterSave(saved) && written;
  return written;
}

bool PageContainer::RunItemCommand(CloseAction action) {
  std::optional<ItemCommand> command = ItemCommandOf(action);
  if (!command) return true;
  return context_.item &&
         RunItemOperation(*context_.item, *command, *context_.host, context_.owner, context_.templateName);
}

void PageContainer::ReloadPagesExcept(HWND kept) {
  for (EditorPage* page : pages_) {
    if (page->NeedsLoad() || (kept && page->GetWindow() == kept)) continue;
    page->Reset(CloseAction::None);
    page->MarkNeedsLoad();
  }
}

bool RunItemOperation(PimItem& item, ItemCommand command, EditorHost& host, HWND owner,
                      const std::u16string& templateName) {
  ItemContext itemContext = host.ItemContextFor(owner);
  if (NeedsLoadedItem(command) && !item.loaded && !item.Load(itemContext)) return false;
  switch (command) {
    case ItemCommand::Delete:
      return host.DeleteItem(item.Kind(), SeriesOidOf(item), OccurrenceOf(item));
    case ItemCommand::Copy:
      return host.WriteTemplate(item, templateName, owner) != 0;
    case ItemCommand::Convert:
      return item.Convert(itemContext) != 0;
    case ItemCommand::ShowInOutlook:
      return item.Show(itemContext);
    case ItemCommand::SendByInfrared:
      return SUCCEEDED(item.SendByInfrared(itemContext));
  }
  return false;
}

HRESULT PageContainer::SaveItem(ItemOid* saved) {
  HRESULT result = context_.item->Save(context_.host->ItemContextFor(context_.owner));
  if (result == S_OK) {
    *saved = context_.item->oid;
  } else if (!pages_.empty()) {
    pages_.front()->ResetFocus();
  }
  return result;
}

void PageContainer::ShowCommitFailure(unsigned text, unsigned caption, UINT icon) const {
  HINSTANCE resources = context_.host->Resources();
  MessageBoxW(context_.owner, ResourceText(resources, text).c_str(), ResourceText(resources, caption).c_str(),
              MB_OK | icon);
}

void PageContainer::ShowCommitFailureCode(unsigned text, HRESULT result) const {
  HINSTANCE resources = context_.host->Resources();
  std::u16string message =
      platform::FormatText(u"%s (0x%08X)", {ResourceText(resources, text), static_cast<unsigned>(result)});
  MessageBoxW(context_.owner, message.c_str(), ResourceText(resources, resources::kStringCannotSave).c_str(),
              MB_OK);
}

ItemOid SeriesOidOf(const PimItem& item) {
  auto* appointment = dynamic_cast<const CPIMAppointment*>(&item);
  return appointment && appointment->openedOccurrence && appointment->seriesOid ? appointment->seriesOid
                                                                                : item.oid;
}

const SYSTEMTIME* OccurrenceOf(const PimItem& item) {
  if (auto* appointment = dynamic_cast<const CPIMAppointment*>(&item)) {
    return appointment->openedOccurrence ? &appointment->occurrenceDate : nullptr;
  }
  if (auto* task = dynamic_cast<const CPIMTask*>(&item)) {
    return task->recurring && platform::IsDateSet(task->occurrenceDates[0]) ? &task->occurrenceDates[0]
                                                                            : nullptr;
  }
  return nullptr;
}

std::unique_ptr<PageContainer> MakePageContainer(EditorKind kind, EditorContext& context) {
  switch (ItemKindOf(kind)) {
    case ItemKind::Appointment:
      return MakeAppointmentEditor(context);
    case ItemKind::Contact:
      return MakeContactEditor(context);
    case ItemKind::Task:
      return MakeTaskEditor(context);
    case ItemKind::None:
      return MakeProjectEditor(context);
  }
  return nullptr;
}

}  // namespace calyra
