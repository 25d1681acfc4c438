#include <fstream>
#include <sstream>
#include <vector>

#include "hosts/calyra/VCardCommands.h"
#include "hosts/calyra/VCardReader.h"
#include "hosts/calyra/VCardWriter.h"
#include "platform/text/Text.h"

namespace calyra::host {

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
  // Every card was read: only now is the store written.
  for (const VCardContact& contact : contacts) {
    std::u16string fileAs;
    CEOID oid = SaveVCardContact(contact, &fileAs);
    if (!oid) {
      std::fprintf(err, "calyra: %s: the contact %s cannot be saved\n", path.c_str(),
                   platform::ToUtf8(fileAs).c_str());
      return 1;
    }
    std::fprintf(out, "imported contact 0x%08X %s\n", oid, platform::ToUtf8(fileAs).c_str());
  }
  return 0;
}

}  // namespace calyra::host
