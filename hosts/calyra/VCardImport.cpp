#include <fstream>
#include <sstream>
#include <vector>

#include "hosts/calyra/VCardCommands.h"
#include "hosts/calyra/VCardReader.h"
#include "hosts/calyra/VCardWriter.h"
#include "platform/text/Text.h"
#include "store/StoreTransaction.h"

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
  // Every card was read: only now is the store written, in one step that keeps all cards or none.
  StoreTransaction step(StoreTransaction::Kind::Write);
  ImportCategories categories;
  std::string imported;
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
  }
  if (!step.Commit()) {
    std::fprintf(err, "calyra: %s: the store did not keep the contacts; nothing imported from it\n",
                 path.c_str());
    return 1;
  }
  std::fputs(imported.c_str(), out);
  return 0;
}

}  // namespace calyra::host
