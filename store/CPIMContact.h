#pragma once

#include <map>

#include "store/PimItem.h"

class IContact;

namespace calyra {

class OutlookSession;

// A contact as the component reads it: every contact property of its record, read in one call,
// each string in its own copy (the editor gives them meaning), and the birthday and anniversary with
// a second copy that the editor changes. A save writes the fields back through Pocket Outlook.
class CPIMContact : public PimItem {
 public:
  static constexpr DWORD kNotesCapacity = 44256;
  static constexpr CEPROPID kFileAs = 0x4013001F;
  static constexpr CEPROPID kBirthday = 0x40010040;
  static constexpr CEPROPID kAnniversary = 0x40030040;

  CPIMContact() { Reset(); }

  ItemOid Copy(const ItemContext& context) override;
  ItemOid Convert(const ItemContext&) override { return 0; }
  bool Show(const ItemContext& context) override;
  HRESULT SendByInfrared(const ItemContext& context) override;
  bool Load(const ItemContext& context) override;
  bool Delete(const ItemContext& context) override;
  HRESULT Save(const ItemContext& context) override;
  std::u16string DisplayText() const override { return Text(kFileAs); }
  DWORD NotesCapacity() const override { return kNotesCapacity; }
  void Reset() override;
  ItemKind Kind() const override { return ItemKind::Contact; }

  // Whether the contact reader takes a property of this tag.
  static bool IsContactProperty(CEPROPID tag);
  // The text of a string property (empty when the record has none).
  std::u16string Text(CEPROPID tag) const;
  void SetText(CEPROPID tag, std::u16string text);

  std::map<CEPROPID, std::u16string> texts;
  SYSTEMTIME birthday{};
  SYSTEMTIME anniversary{};
  SYSTEMTIME editedBirthday{};
  SYSTEMTIME editedAnniversary{};

 private:
  platform::ComPtr<IContact> Fetch(OutlookSession& session, bool createWhenNew) const;
};

}  // namespace calyra
