#include "hosts/calyra/LinkTour.h"

#include <array>
#include <string>

#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/LinkCommands.h"
#include "links/LinkList.h"
#include "links/LinkStore.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"

namespace calyra::host {

namespace {

constexpr const char16_t* kIconFolder = u"\\My Documents";
constexpr const char16_t* kIconPath = u"\\My Documents\\Ada.bmp";
constexpr const char16_t* kTourAddress = u"http://www.example.com/passport";
constexpr int kIconSize = 16;

// A small icon: a blue disc with a white dot on pure green, the colour that shows as transparent.
bool WriteIcon() {
  CreateDirectoryW(kIconFolder, nullptr);
  std::array<DWORD, kIconSize * kIconSize> pixels{};
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      int dx = 2 * x + 1 - kIconSize, dy = 2 * y + 1 - kIconSize;
      int distance = dx * dx + dy * dy;
      pixels[y * kIconSize + x] = distance < 16 ? 0xFFFFFF : distance < 196 ? 0x2050C0 : 0x00FF00;
    }
  }
  HBITMAP bitmap = CreateBitmap(kIconSize, kIconSize, 1, 32, pixels.data());
  if (bitmap == nullptr) return false;
  BOOL saved = platform::SaveBitmapFile(bitmap, kIconPath);
  DeleteObject(bitmap);
  return saved != FALSE;
}

void PrintLinks(const char* what, CEOID item, std::FILE* out) {
  std::fprintf(out, "  calyra links 0x%08X (the %s):\n", item, what);
  std::fflush(out);
  ListLinks(item, ListingFormat::kText, out, out);
}

// Whether `item` holds a link to `other` already.
bool IsLinkedTo(CEOID item, CEOID other) {
  for (const ListedLink& link : SortedLinksOf(item)) {
    if (link.record.target == other) return true;
  }
  return false;
}

}  // namespace

int RunLinkTour(EditorSession& session, CEOID appointment, CEOID task, CEOID contact, std::FILE* out) {
  std::fprintf(out, "\nlinks between the items the tour made\n");
  if (appointment == 0 || task == 0 || contact == 0) {
    std::fprintf(out, "  an item is missing: nothing to link\n");
    return 1;
  }
  const EditorExports& e = session.Exports();
  bool made = true;
  std::fprintf(out, "  the appointment 0x%08X with the contact 0x%08X\n", appointment, contact);
  made &= e.addLinkToItem(appointment, contact, static_cast<int>(ItemKind::kContact)) == 1;
  std::fprintf(out, "  the task 0x%08X with the appointment 0x%08X", task, appointment);
  if (IsLinkedTo(task, appointment)) {
    std::fprintf(out, ": linked already, by the drop on the floating link window\n");
  } else {
    std::fprintf(out, "\n");
    made &= e.addLinkToItem(task, appointment, static_cast<int>(ItemKind::kAppointment)) == 1;
  }
  // No export adds a web link (the editors' links page does); the host writes it to the store.
  WORD webLink = 0;
  std::fprintf(out, "  the web address %s on the task\n", platform::ToUtf8(kTourAddress).c_str());
  made &= LinkStore().AddLink(task, &webLink, LinkType::Web, 0, kTourAddress);
  std::fprintf(out, "  the icon %s, a %dx%d bitmap written for it, on the contact\n",
               platform::ToUtf8(kIconPath).c_str(), kIconSize, kIconSize);
  made &= WriteIcon() && e.setIconLink(contact, kIconPath) == 1;
  session.Pump();

  PrintLinks("appointment", appointment, out);
  PrintLinks("task", task, out);
  PrintLinks("contact", contact, out);
  std::fprintf(out, "  calyra open-link 0x%08X %u:\n  ", task, webLink);
  std::fflush(out);
  if (webLink == 0 || OpenItemLink(task, webLink, out, out) != 0) made = false;
  if (!made) std::fprintf(out, "  a link was not made\n");
  return made ? 0 : 1;
}

}  // namespace calyra::host
