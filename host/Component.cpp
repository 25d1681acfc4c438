#include "host/Component.h"

#include "editors/PhraseSelectionDialog.h"
#include "host/MainWindow.h"
#include "host/OwnResources.h"
#include "host/SummaryWindow.h"
#include "links/LinkStore.h"
#include "platform/core/LocalMemory.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"
#include "store/OutlookContactFields.h"

namespace calyra {

Component& Component::Process() {
  return platform::System::Current().State<Component>();
}

Component::Component() = default;
Component::~Component() {
  WaitForLinkLoad();
}

void Component::WaitForLinkLoad() {
  if (linkLoader_.joinable()) linkLoader_.join();
}

void Component::StartLinkLoad() {
  WaitForLinkLoad();
  // A load again mirrors the database afresh rather than adding its links a second time.
  linkLoader_ = std::thread([this] {
    links.Clear();
    LoadLinkCache(links);
  });
}

bool Component::SelectPhraseBuffer(HWND owner, DWORD usage, CEOID* contact, char16_t** text) {
  *text = nullptr;
  if (phraseSelectionUp_) return false;
  phraseSelectionUp_ = true;
  phraseLibrary = std::make_unique<PhraseLibrary>();
  // Only a subject's phrase has a contact: the one given, and the one picked written back.
  bool forSubject = (usage & kPhraseSubject) != 0 && contact != nullptr;
  CEOID chosen = forSubject ? *contact : 0;
  PhraseSelectionDialog dialog(*phraseLibrary, fieldCodeValues_, &OpenOutlookContact);
  bool selected = dialog.Show(owner, resources_, usage, chosen, *text, &modalDialog);
  phraseSelectionUp_ = false;
  if (selected && forSubject) *contact = chosen;
  return selected;
}

std::optional<std::u16string> Component::SelectPhrase(HWND owner, DWORD usage, CEOID* contact) {
  char16_t* text = nullptr;
  if (!SelectPhraseBuffer(owner, usage, contact, &text)) return std::nullopt;
  std::u16string phrase(platform::TextView(text));
  LocalFree(text);
  return phrase;
}

OperationContext Component::OperationContextFor(HWND owner) {
  OperationContext context;
  context.owner = owner;
  context.resources = resources_;
  context.journal = JournalSettings{options_.JournalFlags(), options_.JournalLocation()};
  context.links = &links;
  return context;
}

const CountryTable& Component::Countries() {
  std::call_once(countriesBuilt_,
                 [this] { countries_ = std::make_unique<CountryTable>(CountryTable::FromLocaleData()); });
  return *countries_;
}

void Component::SetDisplayOptions(const CalyraDisplayOptions& display) {
  std::u16string faceName = options_.DisplayFontName();
  bool clearType = options_.ClearType();
  options_.SetDisplayOptions(display);
  // Size and style pick a font's slot; the face and quality are the same for every font of the cache.
  if (faceName != options_.DisplayFontName() || clearType != options_.ClearType()) fonts.Clear();
  if (mainWindow) SummaryWindow::ApplyDisplayOptions(mainWindow->SummaryHandle());
}

HFONT Component::DisplayFont(int pointSize, int style) {
  if (!scale.Measured()) scale.Measure();
  return fonts.Get(pointSize, style, options_.DisplayFontName(), options_.ClearType(), scale.DpiY());
}

HINSTANCE Component::OwnModule() {
  if (!ownModule_) ownModule_ = RegisterResourceModule(platform::ResourceModuleFromTable(OwnResourceTable()));
  return ownModule_;
}

}  // namespace calyra
