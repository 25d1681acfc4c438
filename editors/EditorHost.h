#pragma once

#include <optional>

#include "CalyraEditor.h"
#include "editors/CloseAction.h"
#include "editors/EditorKind.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "store/PimItem.h"

namespace calyra {

// What the pages and page containers need of the frame that holds them. The editor frame of the
// component implements it; tests may give their own.
class CategoryChangeFlags;
class LinkCache;

class EditorHost {
 public:
  static constexpr int kDefaultReminderMinuteOfDay = 8 * 60;

  virtual ~EditorHost() = default;

  virtual HINSTANCE Resources() const = 0;
  virtual HWND MainWindow() const = 0;
  virtual HWND HostWindow() const = 0;
  // The kind of the open editor; nothing when none is open.
  virtual std::optional<EditorKind> OpenEditorKind() const = 0;
  virtual void SetCloseAction(CloseAction action) = 0;
  virtual void SetFocusedPage(HWND page) = 0;
  // A layout size scaled to the screen's horizontal resolution.
  virtual int ScaledX(int size) const = 0;
  // The font of the pages' controls: the display options' face and ClearType choice.
  virtual HFONT PageFont() const = 0;
  // What the item operations need: the owner, the resources, the journal hook.
  virtual ItemContext ItemContextFor(HWND owner) const = 0;
  // Deletes an item with the questions the delete operations ask; false when it stays.
  virtual bool DeleteItem(ItemKind kind, ItemOid item, const SYSTEMTIME* occurrence) = 0;
  // Adds a saved item to a project; the project's record, or 0.
  virtual ItemOid AddToProject(ItemOid project, ItemKind kind, ItemOid item, const SYSTEMTIME* date) = 0;

  // What the pages ask of subsystems that arrive later; until then nothing is there to answer.
  // The icon image linked to an item, or null.
  virtual HIMAGELIST ItemIconImage(ItemOid) const { return nullptr; }
  // Links a saved item to another (`otherKind` as the link store counts kinds); false when no link
  // was made.
  virtual bool LinkItems(ItemOid, ItemOid, int /*otherKind*/) { return false; }
  // The process's link cache that link writes keep in step; null: none is kept.
  virtual LinkCache* Links() { return nullptr; }
  // Writes an item's icon image (a file's path); false when it could not be written.
  virtual bool SetItemIcon(ItemOid, const std::u16string& /*imagePath*/) { return true; }
  // The time of day a new task reminder gets, in minutes after midnight (the editor options').
  virtual int ReminderMinuteOfDay() const { return kDefaultReminderMinuteOfDay; }
  // The phrase selection for a field (`usage`: the phrase library's usage flags); the chosen text.
  virtual std::optional<std::u16string> SelectPhrase(HWND, DWORD /*usage*/) { return std::nullopt; }
  // The person's area code as the device's dialer knows it; empty without a dialer.
  virtual std::u16string AreaCode() const { return {}; }
  // An address's city line ordered for its country (`ComposeCityLine`); the default knows the
  // countries by their English names only.
  virtual std::u16string CityLine(const std::u16string& country, const std::u16string& city,
                                  const std::u16string& region, const std::u16string& postalCode) const;
  // The process's category change flags the host reads; null: the pages keep their own.
  virtual CategoryChangeFlags* CategoryChanges() { return nullptr; }
  // Once the open editor has closed, opens the project of `record` in its place (a sub-project
  // opened from its project); the default host opens nothing.
  virtual void FollowWithProject(ItemOid /*record*/) {}
  // Where the component names its modal dialog while one is up; null: nowhere.
  virtual HWND* ModalDialogSlot() { return nullptr; }
  // The note options (the input modes by note settings 1 to 3, the zoom index, the note flags); a
  // host that keeps none answers the defaults of a fresh component.
  virtual CalyraNoteOptions NoteOptions() const;
  virtual void SetNoteOptions(const CalyraNoteOptions&) {}
  // Offers the templates of the item's kind and fills the open item from the one the person
  // chooses, an appointment on the date of `day`; false when none was applied (the default: no
  // templates are kept).
  virtual bool ApplyTemplate(HWND /*owner*/, PimItem& /*item*/, const SYSTEMTIME& /*day*/) { return false; }
  // Writes the template named `name` of an item that has just been saved; its oid, or 0. The default
  // makes a plain copy of the item.
  virtual ItemOid WriteTemplate(PimItem& item, const std::u16string& name, HWND owner);
};

}  // namespace calyra
