#pragma once

#include <vector>

#include "editors/EditorContext.h"
#include "editors/EditorHost.h"
#include "editors/PageFactory.h"

namespace calyra {

// The pages of one open editor, in tab order, and how its item is committed. One per open editor;
// the pages themselves belong to the page factory.
class PageContainer {
 public:
  enum class CloseResult { Closed, RefusedByPage, Failed };

  explicit PageContainer(EditorContext& context) : context_(context) {}
  virtual ~PageContainer() = default;
  PageContainer(const PageContainer&) = delete;
  PageContainer& operator=(const PageContainer&) = delete;

  // Gets each page of the editor, attaches it and adds its tab.
  bool BuildPages(PageFactory& factory, HWND tabs);
  // Writes the item to its store; its oid in `saved`. False keeps the editor open (the user has been
  // told why).
  virtual bool Commit(ItemOid* saved) = 0;
  // The item command that follows a close (delete, or a follow-up operation after the save); true
  // for a close action with none.
  virtual bool RunItemCommand(CloseAction action);

  // Shows the page at a tab (creating its dialog on first use); its window, or 0.
  HWND ActivatePage(int index);
  void LeavePage(int index);
  void RefocusCurrentPage(int index);
  // Stores, commits and runs the work after the save, as the close action asks; on success every
  // page is reset and hidden.
  CloseResult Close(CloseAction action);

  // Every loaded page but the one whose window is `kept` is emptied and loads again when it is next
  // shown (the item changed under them).
  void ReloadPagesExcept(HWND kept);

  size_t PageCount() const { return pages_.size(); }
  EditorPage* Page(size_t index) const { return index < pages_.size() ? pages_[index] : nullptr; }

 protected:
  virtual std::vector<PageNumber> PageNumbers() const = 0;
  virtual bool PageEnabled(size_t index) const = 0;
  // Saves the item through its own save; on S_OK its oid goes to `saved`, otherwise the first page
  // gets its first field back before the frame shows it again, and the caller explains the result.
  HRESULT SaveItem(ItemOid* saved);
  void ShowCommitFailure(unsigned text, unsigned caption, UINT icon) const;
  // "%s (0x%08X)" of the text and the save's result, captioned as a refused save.
  void ShowCommitFailureCode(unsigned text, HRESULT result) const;

  EditorContext& context_;

 private:
  bool RunPostSaveWork(ItemOid saved);

  std::vector<EditorPage*> pages_;
};

// The series an opened occurrence of an appointment belongs to, else the item itself.
ItemOid SeriesOidOf(const PimItem& item);
// The occurrence date of an item opened as one occurrence of a series, else null.
const SYSTEMTIME* OccurrenceOf(const PimItem& item);

// Runs an item command on an item, loading it first for convert and copy; true on success. Copy
// writes the item's template named `templateName`.
bool RunItemOperation(PimItem& item, ItemCommand command, EditorHost& host, HWND owner,
                      const std::u16string& templateName = {});

// The page container of an editor.
std::unique_ptr<PageContainer> MakePageContainer(EditorKind kind, EditorContext& context);

}  // namespace calyra
