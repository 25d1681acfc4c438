#include <fstream>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "hosts/calyra/VCardCommands.h"
#include "hosts/calyra/VCardReader.h"
#include "hosts/calyra/VCardWriter.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "store/StoreTransaction.h"
#include "text/ContactPhotos.h"

namespace calyra::host {

namespace {

// The extension the contact photos are looked for under, by the picture's format.
const char16_t* PhotoExtension(const std::vector<unsigned char>& photo) {
  switch (PhotoFormatOf(photo.data(), photo.size())) {
    case PhotoFormat::kGif:
      return u".gif";
    case PhotoFormat::kBmp:
      return u".bmp";
    default:
      return u".jpg";
  }
}

// The photo as the contact's photo file: its file-as name made file-safe, in the photo folder.
bool WriteContactPhoto(const std::u16string& fileAs, const std::vector<unsigned char>& photo) {
  std::optional<std::u16string> name = PhotoFileName(fileAs);
  if (!name) return false;
  std::u16string path = GetContactPhotoFolder() + u"\\" + *name + PhotoExtension(photo);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = WriteFile(file, photo.data(), static_cast<DWORD>(photo.size()), &written, nullptr) &&
               written == photo.size();
  CloseHandle(file);
  return whole;
}

}  // namespace

int ImportVCardFile(const std::string& path, std::FILE* out, std::FILE* err) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(err, "calyra: cannot read the vCard file %s\n", path.c_str());
    return kExitBadImportFile;
  }
  std::stringstream text;
  text << file.rdbuf();
  std::vector<VCardContact> contacts;
  VCardError error;
  if (!ReadVCards(text.str(), &contacts, &error)) {
    std::string card = error.card ? ", card " + std::to_string(error.card) : "";
    std::fprintf(err, "calyra: %s:%d%s: %s; nothing imported from it\n", path.c_str(), error.line,
                 card.c_str(), error.message.c_str());
    return kExitBadImportFile;
  }
  // Every card was read: only now is the store written, in one step that keeps all cards or none.
  StoreTransaction step(StoreTransaction::Kind::Write);
  ImportCategories categories;
  std::string imported;
  std::vector<std::pair<std::u16string, const VCardContact*>> photos;
  for (const VCardContact& contact : contacts) {
    std::u16string fileAs;
    CEOID oid = SaveVCardContact(contact, categories, &fileAs);
    if (!oid) {
      std::fprintf(err, "calyra: %s: the contact %s cannot be saved; nothing imported from it\n",
                   path.c_str(), platform::ToUtf8(fileAs).c_str());
      return 1;
    }
    char number[16];
    std::snprintf(number, sizeof number, "0x%08X", oid);
    imported += std::string("imported contact ") + number + " " + platform::ToUtf8(fileAs) + "\n";
    if (!contact.photo.empty()) photos.emplace_back(fileAs, &contact);
  }
  if (!categories.ApplyCounts() || !step.Commit()) {
    std::fprintf(err, "calyra: %s: the store did not keep the contacts; nothing imported from it\n",
                 path.c_str());
    return 1;
  }
  // The photos are written once the contacts are kept, where the summary looks for them.
  for (const auto& [fileAs, contact] : photos) {
    if (!WriteContactPhoto(fileAs, contact->photo)) {
      std::fprintf(err, "calyra: %s: the photo of %s cannot be written\n", path.c_str(),
                   platform::ToUtf8(fileAs).c_str());
    }
  }
  std::fputs(imported.c_str(), out);
  return 0;
}

}  // namespace calyra::host
