#include "templates/PreviewLayouts.h"

#include "platform/registry/Registry.h"
#include "platform/text/Text.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

// The default layout's name in the component's six languages.
constexpr const char16_t* kDefaultNames[] = {
    u"Preview Default",   u"Vorschau Standard",    u"Standaardvoorbeeld", u"Pr\u00e9vis. par D\u00e9faut",
    u"Default Anteprima", u"Previsualiz. Defecto",
};

// The default layout's field order, bytes 32 to 57 of its data.
constexpr BYTE kDefaultFieldOrder[] = {25, 3,  13, 6,  4,  27, 5,  7,  8,  9,  25, 26, 10,
                                       11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
constexpr size_t kFieldOrderAt = 32;

// A registry key closed when it goes.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() { Close(); }
  void Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY* Out() {
    Close();
    return &key_;
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Opens or makes `name` below `parent`; the disposition says which.
LONG CreateKey(HKEY parent, const char16_t* name, Key* key, DWORD* disposition = nullptr) {
  DWORD ignored = 0;
  return RegCreateKeyExW(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key->Out(),
                         disposition ? disposition : &ignored);
}

bool Write(HKEY subkey, const PreviewLayout& layout) {
  return subkey && RegSetValueExW(subkey, layout.name.c_str(), 0, REG_BINARY, layout.data.data(),
                                  static_cast<DWORD>(layout.data.size())) == ERROR_SUCCESS;
}

// Every value of the subkey in enumeration order; one whose name or data does not fit is left out.
std::vector<PreviewLayout> ReadAll(HKEY subkey) {
  std::vector<PreviewLayout> layouts;
  for (DWORD index = 0;; ++index) {
    char16_t name[PreviewLayout::kMaxNameChars + 1] = {};
    DWORD nameChars = PreviewLayout::kMaxNameChars + 1;
    PreviewLayout layout;
    DWORD type = 0;
    DWORD bytes = PreviewLayout::kDataBytes;
    LONG result = RegEnumValueW(subkey, index, name, &nameChars, nullptr, &type, layout.data.data(), &bytes);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return layouts;
    layout.name.assign(name, nameChars);
    layouts.push_back(std::move(layout));
  }
}

}  // namespace

std::array<BYTE, PreviewLayout::kDataBytes> PreviewLayouts::DefaultData() {
  std::array<BYTE, PreviewLayout::kDataBytes> data{};
  data[0] = 3;
  data[1] = 0;
  data[2] = 1;
  data[3] = 2;
  for (size_t i = 0; i < std::size(kDefaultFieldOrder); ++i) data[kFieldOrderAt + i] = kDefaultFieldOrder[i];
  return data;
}

PreviewLayout PreviewLayouts::DefaultLayout(HINSTANCE resources) {
  return {ResourceText(resources, resources::kStringDefaultPreviewLayout), DefaultData()};
}

std::vector<PreviewLayout> PreviewLayouts::Load(HINSTANCE resources) {
  Key key;
  Key subkey;
  DWORD disposition = 0;
  LONG opened = CreateKey(HKEY_LOCAL_MACHINE, kKey, &key);
  if (opened == ERROR_SUCCESS) opened = CreateKey(key.Get(), kSubkey, &subkey, &disposition);
  if (opened != ERROR_SUCCESS || disposition == REG_CREATED_NEW_KEY) {
    PreviewLayout layout = DefaultLayout(resources);
    if (!Write(subkey.Get(), layout)) {
      subkey.Close();
      if (key.Get()) RegDeleteKeyW(key.Get(), kSubkey);
    }
    return {std::move(layout)};
  }
  std::vector<PreviewLayout> layouts = ReadAll(subkey.Get());
  if (layouts.empty()) layouts.push_back(DefaultLayout(resources));
  return layouts;
}

bool PreviewLayouts::Save(const std::vector<PreviewLayout>& layouts) {
  Key key;
  Key subkey;
  DWORD disposition = 0;
  if (CreateKey(HKEY_LOCAL_MACHINE, kKey, &key) != ERROR_SUCCESS ||
      CreateKey(key.Get(), kSubkey, &subkey, &disposition) != ERROR_SUCCESS)
    return false;
  if (disposition == REG_OPENED_EXISTING_KEY) {
    // Made anew, so that layouts no longer in the list go with the old subkey.
    subkey.Close();
    if (RegDeleteKeyW(key.Get(), kSubkey) != ERROR_SUCCESS ||
        CreateKey(key.Get(), kSubkey, &subkey) != ERROR_SUCCESS)
      return false;
  }
  bool all = true;
  for (const PreviewLayout& layout : layouts) all = Write(subkey.Get(), layout) && all;
  return all;
}

std::optional<size_t> PreviewLayouts::FindDefault(const std::vector<PreviewLayout>& layouts) {
  for (size_t i = 0; i < layouts.size(); ++i) {
    for (const char16_t* name : kDefaultNames) {
      if (platform::EqualsNoCase(layouts[i].name, name)) return i;
    }
  }
  return std::nullopt;
}

}  // namespace calyra
