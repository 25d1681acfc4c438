#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "categories/CategoryChangeFlags.h"
#include "host/Dialer.h"
#include "host/FloatingLinkWindow.h"
#include "host/FontCache.h"
#include "host/OpenItemTable.h"
#include "host/OptionStore.h"
#include "host/ScreenScale.h"
#include "links/LinkCache.h"
#include "notes/AlarmNoteFolders.h"
#include "operations/OperationContext.h"
#include "platform/core/System.h"
#include "text/ContactPhotos.h"
#include "text/CountryTable.h"
#include "text/DateTimeText.h"
#include "text/FieldCodes.h"
#include "text/PhraseLibrary.h"

namespace calyra {

class MainWindow;

// The message a host asked to get back when it switches away from an open editor.
struct PendingReturn {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// All the component's per-process state: the one object behind the exports. It lives as long as
// the process is attached to its device, as the component's data lives as long as its process.
class Component : public platform::ProcessState {
 public:
  static Component& Process();
  Component();
  ~Component() override;

  const CountryTable& Countries();
  DateTimeText& DateTimeTexts() { return dateTimeText_; }
  // The device values the general field codes read, kept between expansions.
  GeneralCodeValues& FieldCodeValues() { return fieldCodeValues_; }
  OptionStore& Options() { return options_; }
  // Takes the host's display options; fonts of another face or quality are made afresh, and an open
  // summary takes the new font and colours.
  void SetDisplayOptions(const CalyraDisplayOptions& display);
  // A font of the cache in the display options' face and quality at the screen's vertical resolution;
  // null for a size or style the cache does not hold.
  HFONT DisplayFont(int pointSize, int style);
  // The resource module the host passed in; null until it does.
  HINSTANCE Resources() const { return resources_; }
  void SetResources(HINSTANCE resources) { resources_ = resources; }
  // The component's own module: the window-class instance and the two dialogs it carries.
  HINSTANCE OwnModule();

  HWND hostWindow = nullptr;
  std::unique_ptr<MainWindow> mainWindow;
  HWND modalDialog = nullptr;  // whichever modal dialog of the component is up
  HWND noteEditor = nullptr;   // the open note editor, which the host can give the next full hour
  WORD processKind = 0;
  OpenItemTable openItems;
  PendingReturn pendingReturn;
  Dialer dialer;  // the device's dialer library and the state its initialise answered
  HANDLE updateMutex = nullptr;
  UINT photoChangeMessage = 0;
  bool initialised = false;
  bool inkReady = false;  // the ink libraries are initialised once per process
  ScreenScale scale;
  FontCache fonts;
  CategoryChangeFlags categoryChanges;  // which category icons changed, per host view
  ContactPhotos contactPhotos;          // the thumbnail of the contact last shown
  LinkCache links;                      // the process-wide mirror of the link database
  FloatingLinkWindow floatingLinks;     // the one floating link window
  AlarmNoteFolders noteFolders;         // where notes live, worked out once
  // Read anew by each phrase selection; kept from there until Destroy.
  std::unique_ptr<PhraseLibrary> phraseLibrary;

  // The context of an item operation whose questions `owner` owns: the journal options and the link
  // cache of this process.
  OperationContext OperationContextFor(HWND owner);
  // The phrase selection over `owner` for a field (`usage`: the phrase library's usage flags): the
  // chosen phrase expanded, or none when the person cancelled. With the subject bit, `contact` is the
  // contact the phrase's contact codes read, and takes the one the person picked.
  std::optional<std::u16string> SelectPhrase(HWND owner, DWORD usage, CEOID* contact = nullptr);
  // The same with the expansion in a local-heap buffer for the host (null for an empty phrase); the
  // contact is written back only for a subject. False when cancelled, or while another is up.
  bool SelectPhraseBuffer(HWND owner, DWORD usage, CEOID* contact, char16_t** text);

  // Fills the link cache afresh from the database on a thread of its own; an earlier load ends first.
  void StartLinkLoad();
  // Waits until a started load has ended.
  void WaitForLinkLoad();

 private:
  std::once_flag countriesBuilt_;
  std::unique_ptr<CountryTable> countries_;
  DateTimeText dateTimeText_;
  GeneralCodeValues fieldCodeValues_;
  OptionStore options_;
  HINSTANCE resources_ = nullptr;
  HINSTANCE ownModule_ = nullptr;
  bool phraseSelectionUp_ = false;
  // Joined before the cache it fills goes.
  std::thread linkLoader_;
};

}  // namespace calyra
