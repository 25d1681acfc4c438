#include "hosts/calyra/ContactSummaryTour.h"

#include <fstream>
#include <string>
#include <vector>

#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/phone/CallLogFile.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

constexpr const char16_t* kPhotoFolder = u"\\My Documents\\CalyraContactPhotos";
constexpr const char16_t* kPhotoPath = u"\\My Documents\\CalyraContactPhotos\\Lovelace, Ada.bmp";
constexpr int kPhotoWidth = 60;
constexpr int kPhotoHeight = 80;
// The call began on 2024-03-15 at 09:30 UTC (FILETIME ticks).
constexpr int64_t kCallStart = 133'549'686'000'000'000;

// A portrait: a face-coloured oval on a blue background.
bool WritePhoto() {
  CreateDirectoryW(u"\\My Documents", nullptr);
  CreateDirectoryW(kPhotoFolder, nullptr);
  std::vector<DWORD> pixels(static_cast<size_t>(kPhotoWidth * kPhotoHeight));
  for (int y = 0; y < kPhotoHeight; ++y) {
    for (int x = 0; x < kPhotoWidth; ++x) {
      int dx = 2 * x - kPhotoWidth, dy = 2 * y - kPhotoHeight * 4 / 5;
      bool face = dx * dx * 3 + dy * dy < kPhotoWidth * kPhotoWidth * 2;
      pixels[static_cast<size_t>(y * kPhotoWidth + x)] = face ? 0xE8C0A0 : 0x3050A0;
    }
  }
  HBITMAP bitmap = CreateBitmap(kPhotoWidth, kPhotoHeight, 1, 32, pixels.data());
  if (bitmap == nullptr) return false;
  BOOL saved = platform::SaveBitmapFile(bitmap, kPhotoPath);
  DeleteObject(bitmap);
  return saved != FALSE;
}

// The row of the action list whose text contains `part`, or -1.
int RowWith(HWND list, std::u16string_view part) {
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    WCHAR text[260] = {};
    ListView_GetItemText(list, row, 0, text, 260);
    if (std::u16string_view(text).find(part) != std::u16string_view::npos) return row;
  }
  return -1;
}

std::string LastLine(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line, last;
  while (std::getline(in, line)) {
    if (!line.empty()) last = line;
  }
  for (char& c : last) {
    if (c == '\t') c = ' ';
  }
  return last;
}

}  // namespace

void PrepareContactSummary(std::FILE* out) {
  bool photo = WritePhoto();
  std::fprintf(out, "\na %dx%d photo written to %s: %s\n", kPhotoWidth, kPhotoHeight,
               platform::ToUtf8(kPhotoPath).c_str(), photo ? "yes" : "no");
  platform::CallLogRecord call{CALLLOG_KIND_INCOMING, kCallStart,      185,
                               u"+49 30 2093 0",      u"Ada Lovelace", u"w"};
  bool logged = platform::AppendToCallLogFile(call);
  std::fprintf(out, "an incoming call of 3 minutes 5 seconds from +49 30 2093 0 in the call log: %s\n",
               logged ? "yes" : "no");
}

bool UseContactSummary(HWND summary, std::FILE* out) {
  HANDLE photo = reinterpret_cast<HANDLE>(
      SendDlgItemMessageW(summary, resources::kSummaryPhoto, STM_GETIMAGE, IMAGE_BITMAP, 0));
  std::fprintf(out, "  the summary shows the photo: %s\n", photo ? "yes" : "no");
  HWND actions = GetDlgItem(summary, resources::kSummaryActions);
  int mail = RowWith(actions, u"@");
  int phone = RowWith(actions, u"+49 30");
  std::fprintf(out, "  the person double-taps the e-mail row\n");
  bool mailed = mail >= 0 && platform::UserDoubleChoose(actions, mail);
  auto launches = platform::ReadLaunchLog();
  if (mailed && !launches.empty()) {
    std::fprintf(out, "  started %s %s\n", platform::ToUtf8(launches.back().program).c_str(),
                 platform::ToUtf8(launches.back().arguments).c_str());
  }
  std::fprintf(out, "  the person double-taps the work phone row\n");
  bool dialled = phone >= 0 && platform::UserDoubleChoose(actions, phone);
  if (dialled) {
    std::fprintf(out, "  the dialer was asked: %s\n",
                 LastLine(platform::CurrentDevice()->FileSystemRoot() / "CalyraDialer.log").c_str());
  }
  std::fflush(out);
  return mailed && dialled;
}

}  // namespace calyra::host
