#pragma once

#include <memory>

#include "editors/EditorContext.h"
#include "editors/EditorHost.h"
#include "editors/PageContainer.h"
#include "editors/PageFactory.h"
#include "host/EditRequest.h"

namespace calyra {

class MainWindow;
class Project;

// The one open editor of the process: it takes over a request, makes the item objects and the page
// container, and closes the editor with a close action.
class EditorFrame : public EditorHost {
 public:
  EditorFrame(calyra::MainWindow& mainWindow, HWND tabs);
  ~EditorFrame() override;

  // Closes an open editor as Cancel does, opens the editor for the request and frees it.
  void TakeOver(std::unique_ptr<EditRequest> request, EditorKind kind);
  // Closes an open editor as Cancel does before another request is served.
  void CloseForNewRequest();
  // Closes with a close action (None: the one the editor set); false when a page or the save refused.
  bool Close(CloseAction action);
  // Runs an item command of the summary on a freshly made item; true on success.
  bool RunSummaryCommand(ItemKind kind, const EditRequest& request, ItemCommand command,
                         const std::u16string& templateName = {});

  // Gives the current page's remembered control the focus again.
  void RefocusCurrentPage();
  void OnTabChanging();
  void OnTabChanged(int index);
  bool IsOpen() const { return container_ != nullptr; }
  HWND FocusedPage() const { return focusedPage_ && IsWindowAlive(focusedPage_) ? focusedPage_ : nullptr; }
  EditorPage* CurrentPage() const;
  int CurrentTab() const { return currentTab_; }
  PageFactory& Pages() { return pages_; }
  const EditorContext& Context() const { return context_; }
  // Destroys every cached page (at shut-down).
  void DestroyPages();

  // EditorHost
  HINSTANCE Resources() const override;
  HWND MainWindow() const override;
  HWND HostWindow() const override;
  std::optional<EditorKind> OpenEditorKind() const override {
    return container_ ? std::optional(editorKind_) : std::nullopt;
  }
  void SetCloseAction(CloseAction action) override { closeAction_ = action; }
  void SetFocusedPage(HWND page) override { focusedPage_ = page; }
  int ScaledX(int size) const override;
  HFONT PageFont() const override;
  ItemContext ItemContextFor(HWND owner) const override;
  bool DeleteItem(ItemKind kind, ItemOid item, const SYSTEMTIME* occurrence) override;
  ItemOid AddToProject(ItemOid project, ItemKind kind, ItemOid item, const SYSTEMTIME* date) override;
  int ReminderMinuteOfDay() const override;
  std::optional<std::u16string> SelectPhrase(HWND owner, DWORD usage) override;
  std::u16string AreaCode() const override;
  std::u16string CityLine(const std::u16string& country, const std::u16string& city,
                          const std::u16string& region, const std::u16string& postalCode) const override;
  HIMAGELIST ItemIconImage(ItemOid item) const override;
  bool LinkItems(ItemOid item, ItemOid other, int otherKind) override;
  bool SetItemIcon(ItemOid item, const std::u16string& imagePath) override;
  LinkCache* Links() override;
  CategoryChangeFlags* CategoryChanges() override;
  HWND* ModalDialogSlot() override;
  void FollowWithProject(ItemOid record) override { followingProject_ = record; }
  CalyraNoteOptions NoteOptions() const override;
  void SetNoteOptions(const CalyraNoteOptions& options) override;
  bool ApplyTemplate(HWND owner, PimItem& item, const SYSTEMTIME& day) override;
  ItemOid WriteTemplate(PimItem& item, const std::u16string& name, HWND owner) override;

 private:
  static bool IsWindowAlive(HWND window);
  bool Open(EditorKind kind, EditRequest& request);
  bool LoadExisting(EditorKind kind, EditRequest& request);
  bool PrepareNew(EditorKind kind, EditRequest& request);
  void ReleaseItems();
  void Reset();
  void SelectTab(int index);
  bool OpenFollowingProject(ItemOid record);

  calyra::MainWindow& mainWindow_;
  HWND tabs_;
  HWND focusedPage_ = nullptr;
  int currentTab_ = -1;
  EditorKind editorKind_ = EditorKind::EditAppointment;
  CloseAction closeAction_ = CloseAction::None;
  ItemOid followingProject_ = 0;  // opened once the editor has closed
  EditorContext context_;
  std::unique_ptr<Project> project_;
  std::unique_ptr<PimItem> item_;
  std::unique_ptr<CPIMAppointment> secondAppointment_;
  std::unique_ptr<PageContainer> container_;
  PageFactory pages_;
};

}  // namespace calyra
