#include "platform/outlook/OutlookInternal.h"

namespace platform::outlook {
namespace {

// One attendee; the name is fixed, the address may change.
class RecipientObject final : public RefCounted<IRecipient> {
 public:
  RecipientObject(RecipientList list, size_t index) : list_(std::move(list)), index_(index) {}
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IRecipient;
    return AnswerInterface(object, match ? static_cast<IRecipient*>(this) : nullptr);
  }
  HRESULT get_Name(BSTR* name) override {
    if (index_ >= list_->size()) return E_FAIL;
    return ReturnText((*list_)[index_].name, name);
  }
  HRESULT get_Address(BSTR* address) override {
    if (index_ >= list_->size()) return E_FAIL;
    return ReturnText((*list_)[index_].address, address);
  }
  HRESULT put_Address(BSTR address) override {
    if (index_ >= list_->size()) return E_FAIL;
    (*list_)[index_].address = TextOf(address);
    return S_OK;
  }

 private:
  RecipientList list_;
  size_t index_;
};

// The attendees of an appointment: changes reach the record when the appointment is saved.
class Recipients final : public RefCounted<IRecipients> {
 public:
  explicit Recipients(RecipientList list) : list_(std::move(list)) {}
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IRecipients;
    return AnswerInterface(object, match ? static_cast<IRecipients*>(this) : nullptr);
  }
  HRESULT get_Count(int* count) override { return ReturnValue(list_->size(), count); }
  HRESULT Item(int index, IRecipient** recipient) override {
    if (recipient == nullptr) return E_POINTER;
    *recipient = nullptr;
    if (index < 1 || static_cast<size_t>(index) > list_->size()) return E_INVALIDARG;
    *recipient = new RecipientObject(list_, static_cast<size_t>(index - 1));
    return S_OK;
  }
  HRESULT Add(BSTR name, IRecipient** recipient) override {
    std::u16string text = TextOf(name);
    if (text.empty()) return E_INVALIDARG;
    list_->push_back(Recipient{text, {}});
    if (recipient != nullptr) *recipient = new RecipientObject(list_, list_->size() - 1);
    return S_OK;
  }
  HRESULT Remove(int index) override {
    if (index < 1 || static_cast<size_t>(index) > list_->size()) return E_INVALIDARG;
    list_->erase(list_->begin() + (index - 1));
    return S_OK;
  }

 private:
  RecipientList list_;
};

void AppendText(std::vector<uint8_t>& out, const std::u16string& text) {
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
}

}  // namespace

IRecipients* NewRecipients(RecipientList list) {
  return new Recipients(std::move(list));
}

// Each attendee is its name and its address, each UTF-16LE and zero-terminated.
std::vector<uint8_t> EncodeRecipients(const std::vector<Recipient>& list) {
  std::vector<uint8_t> out;
  for (const Recipient& r : list) {
    AppendText(out, r.name);
    AppendText(out, r.address);
  }
  return out;
}

std::vector<Recipient> DecodeRecipients(const std::vector<uint8_t>& bytes) {
  std::vector<std::u16string> texts;
  std::u16string current;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (c == 0) {
      texts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  std::vector<Recipient> list;
  for (size_t i = 0; i + 1 < texts.size(); i += 2) list.push_back(Recipient{texts[i], texts[i + 1]});
  return list;
}

}  // namespace platform::outlook
