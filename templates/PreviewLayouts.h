#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

namespace calyra {

// A contact preview layout: how the contact view draws a contact. Its 192 bytes are the contact view's
// own business; here they are only kept.
struct PreviewLayout {
  static constexpr size_t kDataBytes = 192;
  // The longest name the store reads back.
  static constexpr size_t kMaxNameChars = 256;

  std::u16string name;
  std::array<BYTE, kDataBytes> data{};

  bool operator==(const PreviewLayout&) const = default;
};

// The contact preview layouts, kept in the registry under HKEY_LOCAL_MACHINE
// "SOFTWARE\Velmora\Calyra Editor\Templates", one REG_BINARY value of 192 bytes per layout, named
// after it; the values' order is the layouts' order.
class PreviewLayouts {
 public:
  // The key below HKEY_LOCAL_MACHINE, and its subkey of layouts.
  static constexpr const char16_t* kKey = u"SOFTWARE\\Velmora\\Calyra Editor";
  static constexpr const char16_t* kSubkey = u"Templates";

  // Reads the layouts, making the key and subkey when missing. A subkey just made (or one that cannot
  // be opened) gets the default layout, named by the resource string of `resources`, written into it;
  // when that write fails the subkey is removed again, so the next load tries afresh. An existing
  // subkey gives its values in enumeration order (a value whose name or data is too long is left
  // out); one without values gives the default layout, unwritten. Never empty.
  static std::vector<PreviewLayout> Load(HINSTANCE resources);

  // Replaces the stored layouts by `layouts`: an existing subkey is removed and made anew, so layouts
  // that are no longer in the list go. True when every layout was written.
  static bool Save(const std::vector<PreviewLayout>& layouts);

  // The default layout's data: byte 0 is 3, bytes 1 to 3 are 0, 1, 2, bytes 32 to 57 the field order
  // of the default view, the rest 0.
  static std::array<BYTE, PreviewLayout::kDataBytes> DefaultData();
  // The default layout named by the resource string of `resources`.
  static PreviewLayout DefaultLayout(HINSTANCE resources);

  // The index of the first layout named as the default layout is in one of the six languages the
  // component ships ("Preview Default", "Vorschau Standard", ...), compared ignoring case; the contact
  // view draws with it when no other layout applies. Nothing when the list has none.
  static std::optional<size_t> FindDefault(const std::vector<PreviewLayout>& layouts);
};

}  // namespace calyra
