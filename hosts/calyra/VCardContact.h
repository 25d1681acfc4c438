#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calyra::host {

// A contact as vCards and the device both hold it, in plain UTF-8 texts: what the vCard reader
// fills from a card, the store writer saves, and the exporter reads back from the device.
// The picture formats contact photos are kept in, told by their first bytes.
enum class PhotoFormat { kNone, kJpeg, kGif, kBmp };
inline PhotoFormat PhotoFormatOf(const unsigned char* data, size_t size) {
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return PhotoFormat::kJpeg;
  if (size >= 4 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F' && data[3] == '8')
    return PhotoFormat::kGif;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return PhotoFormat::kBmp;
  return PhotoFormat::kNone;
}

struct VCardContact {
  // The telephone numbers the device keeps, in the order `show --json` lists them.
  enum Phone {
    kWork,
    kWork2,
    kHome,
    kHome2,
    kMobile,
    kCar,
    kPager,
    kWorkFax,
    kHomeFax,
    kAssistant,
    kRadio,
    kPhones
  };

  struct Address {
    std::string street, city, state, postalCode, country;
    bool Empty() const {
      return street.empty() && city.empty() && state.empty() && postalCode.empty() && country.empty();
    }
  };

  struct Date {
    int year = 0, month = 0, day = 0;
  };

  std::string fileAs;  // empty: made from the name as the contact editor makes it
  std::string fullName;
  std::string first, middle, last, suffix, title, nickname;
  std::string company, department, jobTitle;
  std::array<std::string, 3> emails;
  std::array<std::string, kPhones> phones;
  Address home, work, other;
  std::string webPage;
  std::optional<Date> birthday, anniversary;
  std::string notes;
  std::vector<std::string> categories;
  // An inline PHOTO in one of the formats the contact photos are kept in (JPEG, GIF, BMP); empty for
  // none, a linked one, or another format.
  std::vector<unsigned char> photo;
};

}  // namespace calyra::host
