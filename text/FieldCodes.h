#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/PlatformTypes.h"

// Field codes of phrases: four-character tokens in square brackets replaced by a contact's
// properties or by general texts (dates, day counts, the owner's details, three stopwatch timers).
namespace calyra {

struct FieldCode {
  uint32_t number;
  char16_t code[6];
  uint32_t descriptionId;  // a string of the resource module that describes the code
};

inline constexpr size_t kContactCodeCount = 49;
inline constexpr size_t kGeneralCodeCount = 27;
extern const FieldCode kContactCodes[kContactCodeCount];
extern const FieldCode kGeneralCodes[kGeneralCodeCount];

// Where contact codes find their values: the number of the contact code (4000 to 4052) asks for one
// property. None means the property cannot be read (for a date: the contact has none).
class ContactFieldSource {
 public:
  virtual ~ContactFieldSource() = default;
  virtual std::optional<std::u16string> Text(uint32_t codeNumber) = 0;
  virtual std::optional<SYSTEMTIME> Date(uint32_t codeNumber) = 0;
};

// Opens the contact of an item identity for the contact pass; null when it cannot be had.
using ContactOpener = std::function<std::unique_ptr<ContactFieldSource>(CEOID contact)>;

// What the general codes read from the device, kept between expansions: the user locale's date and
// time pictures (from the device settings), and the date-time stamp's pictures and order and the
// owner's details (from the registry). Each expansion first reads the device's change counts, once,
// and reads again what a change of the settings or of the registry, by this or any other process,
// may have made stale. The process's values live in the Component, which goes with its device.
class GeneralCodeValues {
 public:
  GeneralCodeValues() = default;
  GeneralCodeValues(const GeneralCodeValues&) = delete;
  GeneralCodeValues& operator=(const GeneralCodeValues&) = delete;

 private:
  friend class GeneralCodeExpansion;
  static constexpr size_t kPictures = 4;  // short date, long date, year-month, time
  static constexpr size_t kOwnerFields = 5;
  struct Stamp {
    std::u16string datePicture;
    std::u16string timePicture;
    bool timeFirst = false;
  };

  std::mutex lock_;
  bool counted_ = false;  // the counts below were read from a device
  int64_t settingsCount_ = 0;
  int64_t registryCount_ = 0;
  std::optional<std::u16string> pictures_[kPictures];
  std::optional<Stamp> stamp_;
  std::optional<std::u16string> owner_[kOwnerFields];
};

// Expands a phrase into a new zero-filled buffer of PhraseOutputCapacity characters from the local heap
// (the receiver frees it with LocalFree), cut to fit. Contact codes are expanded only for a contact
// (non-zero) that `openContact` can open; they stay as they are otherwise. Null for an empty phrase.
char16_t* ExpandPhrase(const char16_t* phrase, CEOID contact, const ContactOpener& openContact,
                       GeneralCodeValues& values);
// The same with general-code values read for this phrase alone.
char16_t* ExpandPhrase(const char16_t* phrase, CEOID contact, const ContactOpener& openContact);

// True when the text holds any contact code (exact case).
bool ContainsContactCode(std::u16string_view text);
std::u16string ExpandContactCodes(std::u16string_view text, ContactFieldSource& contact);
// Expands the general codes; timer codes change the timers in the registry. The codes of one expansion
// show one moment: the date and time are taken once.
std::u16string ExpandGeneralCodes(std::u16string_view text, GeneralCodeValues& values);
// The same with values read for this expansion alone.
std::u16string ExpandGeneralCodes(std::u16string_view text);
// "%d:%02d:%02d", hours unbounded.
std::u16string FormatDuration(uint32_t seconds);
// Characters a phrase's expansion may take: max(length, 4096) + 4096.
size_t PhraseOutputCapacity(size_t length);

}  // namespace calyra
