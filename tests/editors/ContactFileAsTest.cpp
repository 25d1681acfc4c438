// The file-as name of the contact page: recognised, chosen from the menu or written by hand, and
// kept or rebuilt when the contact is saved.
#include "tests/editors/ContactPageFixture.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;
namespace props = platform::outlook;

// Ann B Lee Jr of Acme, whose file-as name the editor made in each of its formats.
constexpr Name kAnn{u"Ann", u"B", u"Lee", u"Jr", u"Acme"};

struct RecognisedCase {
  const char16_t* stored;
  const char16_t* afterRename;  // the file-as name once the first name is Anna
};

TEST_F(ContactPageTest, TheStoredFileAsIsRecognisedAndRebuiltInItsFormatWhenTheNameChanges) {
  const RecognisedCase kCases[] = {
      {u"Lee, Ann B", u"Lee, Anna B"},
      {u"Ann B Lee Jr", u"Anna B Lee Jr"},
      {u"Acme", u"Acme"},
      {u"Lee, Ann (Acme)", u"Lee, Anna (Acme)"},
      {u"Acme, (Lee, Ann B)", u"Acme, (Lee, Anna B)"},
      {u"The boss", u"The boss"},      // no format made it: a custom text, kept
      {u"lee, ann b", u"lee, ann b"},  // compared with case: custom too
  };
  for (const RecognisedCase& entry : kCases) {
    SCOPED_TRACE(platform::ToUtf8(entry.stored));
    ItemOid oid = SaveNamed(kAnn, entry.stored);
    OpenStored(oid);
    EXPECT_EQ(TextOf(kContactFileAs), entry.stored);
    Type(kContactFirstName, u"Anna");
    EXPECT_EQ(TextOf(kContactFileAs), entry.afterRename) << "the page shows what OK writes";
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.afterRename);
  }
}

struct KeptCase {
  const char* what;
  Name name;
  const char16_t* stored;
};

// A file-as name the editor did not make survives an edit of fields that are not the name.
TEST_F(ContactPageTest, AnUnchangedNameWritesTheStoredFileAsBack) {
  const KeptCase kCases[] = {
      {"empty, names present", {u"Ann", u"", u"Lee"}, u""},
      {"only a middle name", {u"", u"Jo"}, u""},
      {"no name at all", {}, u"Somebody"},
      {"custom", {u"Ann", u"", u"Lee"}, u"Lee Ann"},
  };
  for (const KeptCase& entry : kCases) {
    SCOPED_TRACE(entry.what);
    ItemOid oid = SaveNamed(entry.name, entry.stored);
    OpenStored(oid);
    Type(kContactJobTitle, u"Engineer");
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.stored);
    EXPECT_EQ(Stored(oid).Text(props::kPropContactJobTitle), u"Engineer");
  }
}

struct RebuiltCase {
  const char* what;
  int field;
  const char16_t* typed;
  const char16_t* expected;
};

// Any of the six name fields changed rebuilds the name by the recognised format; an empty stored
// name of a contact with a name is format 0.
TEST_F(ContactPageTest, AChangedNameFieldRebuildsTheFileAs) {
  const RebuiltCase kCases[] = {
      {"title", kContactTitle, u"Dr.", u"Lee, Ann"},
      {"first", kContactFirstName, u"Anna", u"Lee, Anna"},
      {"middle", kContactMiddleName, u"B", u"Lee, Ann B"},
      {"last", kContactLastName, u"Li", u"Li, Ann"},
      {"suffix", kContactSuffix, u"Jr", u"Lee, Ann"},
      {"company", kContactCompany, u"Acme", u"Lee, Ann"},
  };
  for (const RebuiltCase& entry : kCases) {
    SCOPED_TRACE(entry.what);
    ItemOid oid = SaveNamed({u"Ann", u"", u"Lee"}, u"");
    OpenStored(oid);
    Type(entry.field, entry.typed);
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.expected);
  }
}

TEST_F(ContactPageTest, ANewContactStartsEmptyInTheFirstFormat) {
  OpenNew();
  EXPECT_EQ(TextOf(kContactFileAs), u"");
  Type(kContactJobTitle, u"Engineer");
  PressOk();
  EXPECT_EQ(StoredFileAs(NewestContact()), u"") << "nothing of the name changed: written back as it was";
  OpenNew();
  Type(kContactFirstName, u"Ada");
  Type(kContactLastName, u"Lovelace");
  EXPECT_EQ(TextOf(kContactFileAs), u"Lovelace, Ada");
  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(StoredFileAs(NewestContact()), u"Lovelace, Ada");
}

struct MenuCase {
  int command;
  const char16_t* expected;
};

TEST_F(ContactPageTest, EachFormatOfTheMenuMakesItsFileAs) {
  const MenuCase kCases[] = {
      {43004, u"Lee, Ann B"},      {43003, u"Ann B Lee Jr"},       {43002, u"Acme"},
      {43001, u"Lee, Ann (Acme)"}, {43000, u"Acme, (Lee, Ann B)"},
  };
  for (const MenuCase& entry : kCases) {
    SCOPED_TRACE(entry.command);
    ItemOid oid = SaveNamed(kAnn, u"The boss");
    OpenStored(oid);
    ChooseFileAs(entry.command);
    EXPECT_EQ(TextOf(kContactFileAs), entry.expected);
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.expected);
  }
}

TEST_F(ContactPageTest, TheCompanyFormatWithoutACompanySavesTheFirstFormat) {
  ItemOid oid = SaveNamed(kAnn, u"Acme");
  OpenStored(oid);
  ChooseFileAs(43002);
  SetWindowTextW(Control(kContactCompany), u"");
  Pump();
  PressOk();
  EXPECT_EQ(StoredFileAs(oid), u"Lee, Ann B");
}

TEST_F(ContactPageTest, OnlyACompanyFilesUnderTheCompanyWhateverTheFormat) {
  for (int command : {43004, 43003, 43001, 43000}) {
    SCOPED_TRACE(command);
    ItemOid oid = SaveNamed({u"", u"", u"", u"", u"Acme"}, u"Acme");
    OpenStored(oid);
    ChooseFileAs(command);
    Type(kContactCompany, u"Acme Ltd");
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), u"Acme Ltd");
  }
}

TEST_F(ContactPageTest, TheCustomDialogStartsFromTheBuiltNameAndItsTextStays) {
  ItemOid oid = SaveNamed(kAnn, u"Lee, Ann B");
  OpenStored(oid);
  user_->ExpectPopupMenu(kCommandCustomFileAs);
  user_->ExpectDialog(kDialogCustomFileAs)
      .Do("see the built name",
          [](HWND dialog) { return WindowText(GetDlgItem(dialog, kCustomFileAsText)) == u"Lee, Ann B"; })
      .Type(kCustomFileAsText, u"Annie")
      .Click(IDOK);
  ASSERT_TRUE(platform::UserClick(Control(kContactFileAsButton)));
  Pump();
  EXPECT_EQ(TextOf(kContactFileAs), u"Annie");
  Type(kContactFirstName, u"Anna");
  EXPECT_EQ(TextOf(kContactFileAs), u"Annie") << "a custom text does not follow the name";
  PressOk();
  EXPECT_EQ(StoredFileAs(oid), u"Annie");
}

TEST_F(ContactPageTest, CancellingTheCustomDialogKeepsTheFormat) {
  ItemOid oid = SaveNamed(kAnn, u"Ann B Lee Jr");
  OpenStored(oid);
  user_->ExpectPopupMenu(kCommandCustomFileAs);
  user_->ExpectDialog(kDialogCustomFileAs).Type(kCustomFileAsText, u"Annie").Click(IDCANCEL);
  ASSERT_TRUE(platform::UserClick(Control(kContactFileAsButton)));
  Pump();
  Type(kContactFirstName, u"Anna");
  PressOk();
  EXPECT_EQ(StoredFileAs(oid), u"Anna B Lee Jr");
}

// One entry of the file-as menu as the person sees it.
struct MenuEntry {
  std::u16string text;
  bool enabled;
  bool checked;
  bool operator==(const MenuEntry&) const = default;
};

void PrintTo(const MenuEntry& entry, std::ostream* out) {
  *out << '"' << platform::ToUtf8(entry.text) << '"' << (entry.enabled ? "" : " disabled")
       << (entry.checked ? " checked" : "");
}

// A person who opens the file-as menu, reads it and dismisses it.
class MenuReader : public platform::CancellingUserAgent {
 public:
  UINT ChooseMenuCommand(HMENU menu, HWND) override {
    entries.clear();
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
      char16_t text[256] = {};
      GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
      UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
      entries.push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0, (state & MF_CHECKED) != 0});
    }
    return 0;
  }
  std::vector<MenuEntry> entries;
};

class FileAsMenuTest : public ContactPageTest {
 protected:
  std::vector<MenuEntry> MenuOf(const Name& name, const std::u16string& fileAs) {
    OpenStored(SaveNamed(name, fileAs));
    MenuReader reader;
    platform::SetUserAgent(&reader);
    platform::UserClick(Control(kContactFileAsButton));
    Pump();
    platform::SetUserAgent(&*user_);
    Command(kCommandCancel);
    return reader.entries;
  }
};

// The menu previews each format with the name as it stands and checks the format recognised on load.
TEST_F(FileAsMenuTest, TheMenuPreviewsEachFormatAndChecksTheRecognisedOne) {
  const std::u16string kCustom = u"Custom...";
  struct Case {
    const char16_t* stored;
    size_t checked;
  };
  const Case kCases[] = {{u"Lee, Ann B", 0},      {u"Ann B Lee Jr", 1},       {u"Acme", 2},
                         {u"Lee, Ann (Acme)", 3}, {u"Acme, (Lee, Ann B)", 4}, {u"The boss", 6}};
  for (const Case& entry : kCases) {
    SCOPED_TRACE(platform::ToUtf8(entry.stored));
    std::vector<MenuEntry> expected = {{u"Lee, Ann B", true, false},
                                       {u"Ann B Lee Jr", true, false},
                                       {u"Acme", true, false},
                                       {u"Lee, Ann (Acme)", true, false},
                                       {u"Acme, (Lee, Ann B)", true, false},
                                       {u"", true, false},
                                       {kCustom, true, false}};
    expected[entry.checked].checked = true;
    EXPECT_EQ(MenuOf(kAnn, entry.stored), expected);
  }
}

TEST_F(FileAsMenuTest, MissingNamesShowTheLabelsDisabled) {
  std::vector<MenuEntry> expected = {{u"Last, First Middle", false, true},
                                     {u"First Middle Last Suffix", false, false},
                                     {u"Company", false, false},
                                     {u"Last, First (Company)", false, false},
                                     {u"Company, (Last, First Middle)", false, false},
                                     {u"", true, false},
                                     {u"Custom...", true, false}};
  EXPECT_EQ(MenuOf({u"Ann"}, u""), expected) << "an empty stored name is the first format";
}

TEST_F(FileAsMenuTest, AnAmpersandInTheCompanyIsShownAsItIs) {
  std::vector<MenuEntry> entries = MenuOf({u"", u"", u"", u"", u"A & B"}, u"A & B");
  ASSERT_GT(entries.size(), 2u);
  EXPECT_EQ(entries[2], (MenuEntry{u"A && B", true, true})) << "the menu reads && as one &";
}

}  // namespace
