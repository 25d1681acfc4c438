#include "editors/EditorMakers.h"
#include "editors/PageContainer.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

class TaskEditor : public PageContainer {
 public:
  using PageContainer::PageContainer;

  bool Commit(ItemOid* saved) override {
    HRESULT result = SaveItem(saved);
    if (result < 0) ShowCommitFailureCode(resources::kStringTaskNotSaved, result);
    return result == S_OK;
  }

 protected:
  std::vector<PageNumber> PageNumbers() const override {
    return {PageNumber::Task, PageNumber::Recurrence, PageNumber::Notes, PageNumber::Categories,
            PageNumber::Links};
  }
  bool PageEnabled(size_t index) const override {
    static constexpr bool kTemplate[] = {true, false, true, true, false};
    return !context_.editValue || index >= std::size(kTemplate) || kTemplate[index];
  }
};

}  // namespace

std::unique_ptr<PageContainer> MakeTaskEditor(EditorContext& context) {
  return std::make_unique<TaskEditor>(context);
}

}  // namespace calyra
