#pragma once

#include "editors/CloseAction.h"
#include "editors/EditorContext.h"
#include "editors/PageTraits.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// One page of an editor: a modeless dialog shown above the tab strip, with its own menu bar. A page
// outlives the editors that show it: its dialog is made on its first activation and hidden between
// editors; `Reset` puts it back into the needs-load state so that the next activation loads the next
// item. What differs between pages by their number (template, menus, focus, input panel, item
// commands) is read from their row of the page traits; pages implement Load, Store and Reset and
// handle their own controls in HandleMessage, passing on what they do not handle.
class EditorPage {
 public:
  explicit EditorPage(PageNumber number) : traits_(TraitsOf(number)) {}
  virtual ~EditorPage();
  EditorPage(const EditorPage&) = delete;
  EditorPage& operator=(const EditorPage&) = delete;

  // Destroys the dialog while the page is whole: a page that subclasses its controls must call it
  // from its own destructor, since the controls' last messages reach the page.
  void DestroyDialog();
  // Makes the dialog from its template in the resource module, as a child of the MainWindow.
  virtual bool Create();
  virtual HWND GetWindow() const { return window_; }
  // Shows the page (loading it first when needed) with its menu bar; 0 when it has no window yet.
  virtual HWND Activate(int tabIndex);
  virtual void Deactivate();
  virtual void Attach(EditorContext* context, int tabIndex, bool enabled);
  virtual PageKind GetPageKind() const { return traits_.kind; }
  // Fills the controls from the item objects of the context.
  virtual void Load() = 0;
  // Validates the controls and writes them into the item; false refuses the close (the page has
  // told the user why).
  virtual bool Store(CloseAction action) = 0;
  // Empties the controls and frees per-item data.
  virtual void Reset(CloseAction action) = 0;
  virtual void Refocus();
  virtual void ResetFocus();
  virtual void UpdateMenuBar();
  // The page's work once the item is saved (icon image, links); false when it failed.
  virtual bool WriteAfterSave(ItemOid) { return true; }

  bool NeedsLoad() const { return needsLoad_; }
  // After Reset: the next activation loads the next item.
  void MarkNeedsLoad() { needsLoad_ = true; }
  bool Enabled() const { return enabled_; }
  int TabIndex() const { return tabIndex_; }
  HWND MenuBar() const { return menuBar_; }
  const PageTraits& Traits() const { return traits_; }

 protected:
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  int MenuResource() const { return enabled_ ? traits_.menu : traits_.disabledMenu; }
  // The module that holds the page's dialog template.
  virtual HINSTANCE TemplateModule() const;
  virtual HWND FirstControl() const;
  // Loads through Load and clears the needs-load state.
  void LoadNow();
  EditorHost& Host() const { return *context_->host; }
  // The project a project editor's page edits; null on the other editors' pages.
  Project* TheProject() const { return context_ ? context_->projectObject : nullptr; }
  // Sets the close action and asks the MainWindow to close the editor with `message`.
  void CloseWith(CloseAction action, UINT message);
  // The edit commands of the menu (paste, select all, undo, copy, cut, clear) on the page's focused
  // field, else on `fallback`; false for any other command.
  bool RunEditCommand(int command, HWND fallback = nullptr);
  // Asks for a template name (prefilled with `subject`) and closes the editor with the copy action
  // whose follow-up writes the template; nothing when the person cancels.
  void CloseAsTemplate(const std::u16string& subject);

  EditorContext* context_ = nullptr;

 private:
  static INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateMenuBar();
  void FocusControl(HWND control);
  bool RunCommand(int command);
  void AddToProject();
  void AskToSwitchAway(WPARAM target, LPARAM flag);

  const PageTraits& traits_;
  int tabIndex_ = -1;
  bool enabled_ = true;
  bool needsLoad_ = true;
  HWND window_ = nullptr;
  HWND menuBar_ = nullptr;
  HWND lastFocus_ = nullptr;
};

}  // namespace calyra
