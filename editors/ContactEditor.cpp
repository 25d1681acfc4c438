#include "editors/EditorMakers.h"
#include "editors/PageContainer.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

class ContactEditor : public PageContainer {
 public:
  using PageContainer::PageContainer;

  bool Commit(ItemOid* saved) override {
    HRESULT result = SaveItem(saved);
    if (result < 0) ShowCommitFailure(resources::kStringContactNotSaved, resources::kStringCannotSave, 0);
    return result == S_OK;
  }

 protected:
  std::vector<PageNumber> PageNumbers() const override {
    return {PageNumber::Contact, PageNumber::Notes, PageNumber::Categories, PageNumber::Links};
  }
  // A contact template shows only its main page for editing.
  bool PageEnabled(size_t index) const override { return !context_.editValue || index == 0; }
};

}  // namespace

std::unique_ptr<PageContainer> MakeContactEditor(EditorContext& context) {
  return std::make_unique<ContactEditor>(context);
}

}  // namespace calyra
