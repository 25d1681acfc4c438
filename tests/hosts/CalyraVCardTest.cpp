#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/hosts/ProgramRun.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::ProgramRun;
using calyra::testing::ReadTextFile;
using calyra::testing::RunProgram;
using calyra::testing::TempFolder;

constexpr int kBadVCard = 4;

std::string VCardData(const std::string& name) {
  return std::string(CALYRA_VCARD_TEST_DATA) + "/" + name;
}

// `calyra import` and `calyra export contacts` on devices of the test's own.
class CalyraVCardTest : public ::testing::Test {
 protected:
  std::string Device(const std::string& name = "device") const { return (folder_.Path() / name).string(); }

  ProgramRun Calyra(const std::vector<std::string>& arguments, const std::string& device = "device") {
    std::vector<std::string> all{"--device", Device(device)};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::filesystem::path errors = folder_.Path() / "errors.txt";
    return RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null", &errors);
  }

  // The oids of the "imported contact 0x… FileAs" lines, in order.
  static std::vector<std::string> ImportedOids(const std::string& output) {
    std::vector<std::string> oids;
    std::istringstream lines(output);
    std::string line;
    const std::string prefix = "imported contact ";
    while (std::getline(lines, line)) {
      if (line.rfind(prefix, 0) == 0) oids.push_back(line.substr(prefix.size(), 10));
    }
    return oids;
  }

  // `show --json` of each contact, one after the other, with the oid written @OID@ as the data files have it.
  std::string ShownContacts(const std::vector<std::string>& oids) {
    std::string text;
    for (const std::string& oid : oids) {
      ProgramRun show = Calyra({"show", oid, "--json"});
      EXPECT_EQ(show.exitCode, 0) << show.errors;
      std::istringstream lines(show.output);
      std::string line;
      while (std::getline(lines, line)) {
        text += line.rfind("  \"oid\": ", 0) == 0 ? std::string("  \"oid\": @OID@,") : line;
        text += "\n";
      }
    }
    return text;
  }

  std::string ListedContacts(const std::string& device = "device") {
    ProgramRun list = Calyra({"list", "contacts"}, device);
    EXPECT_EQ(list.exitCode, 0) << list.errors;
    return list.output;
  }

  // Imports the data file `name`.vcf and compares the contacts made with `name`.json.
  void ExpectImportAsDataFileHasIt(const std::string& name, size_t contacts) {
    ProgramRun run = Calyra({"import", VCardData(name + ".vcf")});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    std::vector<std::string> oids = ImportedOids(run.output);
    ASSERT_EQ(oids.size(), contacts) << run.output;
    EXPECT_EQ(ShownContacts(oids), ReadTextFile(VCardData(name + ".json")));
  }

  // A malformed file imports nothing, not even its good cards, and says where it is wrong.
  void ExpectRefused(const std::string& name, const std::string& where) {
    ProgramRun run = Calyra({"import", VCardData(name)});
    EXPECT_EQ(run.exitCode, kBadVCard);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.errors.find(name + ":" + where), std::string::npos) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_EQ(ListedContacts(), "");
  }

  TempFolder folder_;
};

TEST_F(CalyraVCardTest, Version21WithQuotedPrintableUtf8AndBareTypes) {
  ExpectImportAsDataFileHasIt("v21-quoted-printable", 1);
}

TEST_F(CalyraVCardTest, Version30WithEscapedCommasTypeListsAndGroups) {
  ExpectImportAsDataFileHasIt("v30-groups", 1);
}

TEST_F(CalyraVCardTest, Version40WithQuotedTypeListAndTelUri) {
  ExpectImportAsDataFileHasIt("v40", 1);
}

TEST_F(CalyraVCardTest, SeveralCardsWithNonAsciiNames) {
  ExpectImportAsDataFileHasIt("several", 3);
}

TEST_F(CalyraVCardTest, EachContactIsPrintedWithItsOidAndFileAs) {
  ProgramRun run = Calyra({"import", VCardData("v30-groups.vcf")});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  ASSERT_EQ(ImportedOids(run.output).size(), 1u);
  EXPECT_EQ(run.output, "imported contact " + ImportedOids(run.output)[0] + " Lovelace, Ada King\n");
}

TEST_F(CalyraVCardTest, ACardWithoutEndImportsNothing) {
  ExpectRefused("malformed-no-end.vcf", "5, card 2:");
}

TEST_F(CalyraVCardTest, InvalidUtf8ImportsNothing) {
  ExpectRefused("malformed-utf8.vcf", "8:");
}

TEST_F(CalyraVCardTest, ABeginInsideACardImportsNothing) {
  ExpectRefused("malformed-nested.vcf", "8, card 2:");
}

TEST_F(CalyraVCardTest, AnEndWithoutBeginImportsNothing) {
  ExpectRefused("malformed-stray-end.vcf", "5:");
}

TEST_F(CalyraVCardTest, ABirthdayThatIsNoDateImportsNothing) {
  ExpectRefused("malformed-date.vcf", "5, card 2:");
}

TEST_F(CalyraVCardTest, AnUnknownVersionImportsNothing) {
  ExpectRefused("malformed-version.vcf", "5, card 2:");
}

TEST_F(CalyraVCardTest, AMissingFileImportsNothing) {
  ProgramRun run = Calyra({"import", (folder_.Path() / "missing.vcf").string()});
  EXPECT_EQ(run.exitCode, kBadVCard);
  EXPECT_NE(run.errors.find("missing.vcf"), std::string::npos) << run.errors;
}

TEST_F(CalyraVCardTest, AMalformedFileDoesNotStopTheFilesAfterIt) {
  ProgramRun run = Calyra({"import", VCardData("malformed-date.vcf"), VCardData("v40.vcf")});
  EXPECT_EQ(run.exitCode, kBadVCard);
  EXPECT_EQ(ImportedOids(run.output).size(), 1u) << run.output;
  EXPECT_NE(ListedContacts().find("Hopper, Grace Brewster"), std::string::npos);
}

// Export, import into a fresh device and export again gives the same file (no UID or REV is written).
TEST_F(CalyraVCardTest, ExportImportExportGivesTheSameFile) {
  for (const char* name : {"v21-quoted-printable.vcf", "v30-groups.vcf", "v40.vcf", "several.vcf"}) {
    ASSERT_EQ(Calyra({"import", VCardData(name)}).exitCode, 0) << name;
  }
  std::string first = (folder_.Path() / "first.vcf").string();
  std::string second = (folder_.Path() / "second.vcf").string();
  ProgramRun exported = Calyra({"export", "contacts", first});
  ASSERT_EQ(exported.exitCode, 0) << exported.errors;
  EXPECT_EQ(exported.output, "exported 6 contacts to " + first + "\n");
  ProgramRun imported = Calyra({"import", first}, "fresh");
  ASSERT_EQ(imported.exitCode, 0) << imported.errors;
  EXPECT_EQ(ImportedOids(imported.output).size(), 6u);
  ASSERT_EQ(Calyra({"export", "contacts", second}, "fresh").exitCode, 0);
  std::string text = ReadTextFile(first);
  EXPECT_NE(text.find("BEGIN:VCARD\r\nVERSION:3.0\r\n"), std::string::npos);
  EXPECT_EQ(text.find("\nUID:"), std::string::npos);
  EXPECT_EQ(ReadTextFile(second), text);
}

TEST_F(CalyraVCardTest, AnEmptyDeviceExportsAnEmptyFile) {
  std::string path = (folder_.Path() / "none.vcf").string();
  ASSERT_EQ(Calyra({"export", "contacts", path}).exitCode, 0);
  EXPECT_EQ(ReadTextFile(path), "");
}

TEST_F(CalyraVCardTest, ExportNeedsAKindAndOneFile) {
  EXPECT_EQ(Calyra({"export", "people", "x.vcf"}).exitCode, 2);
  EXPECT_EQ(Calyra({"export", "contacts"}).exitCode, 2);
  EXPECT_EQ(Calyra({"import"}).exitCode, 2);
}

TEST_F(CalyraVCardTest, InlinePhotosBecomeTheContactsPhotoFiles) {
  ProgramRun run = Calyra({"import", VCardData("photos.vcf")});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(ImportedOids(run.output).size(), 3u);
  std::filesystem::path folder = folder_.Path() / "device" / "fs" / "My Documents" / "CalyraContactPhotos";
  EXPECT_EQ(std::filesystem::file_size(folder / "Lovelace, Ada.gif"), 42u);
  std::string gif = ReadTextFile((folder / "Lovelace, Ada.gif").string());
  EXPECT_EQ(gif.substr(0, 6), "GIF89a");
  EXPECT_EQ(std::filesystem::file_size(folder / "Babbage, Charles.jpg"), 31u) << "a data URI of version 4.0";
  EXPECT_FALSE(std::filesystem::exists(folder / "Somerville, Mary.jpg")) << "a PNG is not a contact photo";
  EXPECT_FALSE(std::filesystem::exists(folder / "Somerville, Mary.png"));

  // Exported and imported on another device, the photos come back byte for byte.
  std::string exported = (folder_.Path() / "photos-out.vcf").string();
  ASSERT_EQ(Calyra({"export", "contacts", exported}).exitCode, 0);
  EXPECT_NE(ReadTextFile(exported).find("PHOTO;"), std::string::npos);
  ASSERT_EQ(Calyra({"import", exported}, "other").exitCode, 0);
  std::filesystem::path other = folder_.Path() / "other" / "fs" / "My Documents" / "CalyraContactPhotos";
  for (const char* file : {"Lovelace, Ada.gif", "Babbage, Charles.jpg"}) {
    EXPECT_EQ(ReadTextFile((other / file).string()), ReadTextFile((folder / file).string())) << file;
  }
  EXPECT_FALSE(std::filesystem::exists(other / "Somerville, Mary.jpg"));
}

}  // namespace
