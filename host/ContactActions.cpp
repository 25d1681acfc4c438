#include "host/ContactActions.h"

#include "host/ComponentSettings.h"
#include "host/Dialer.h"
#include "host/OptionStore.h"
#include "platform/files/FileSystem.h"
#include "platform/process/Processes.h"
#include "platform/text/Formatter.h"

namespace calyra {

namespace {

// The contact options (by index of their 32-bit value) that the dialling passes on.
constexpr int kDialOptions = 2;
constexpr int kPrefixOptions = 3;
constexpr int kDialCancelOffered = 4;
constexpr int kCountryOptions = 5;

constexpr const char16_t* kWebProgram = u"iexplore.exe";
constexpr const char16_t* kPhotoProgram = u"CalyraPhotoSelect.exe";

bool Start(const std::u16string& program, std::u16string arguments) {
  return CreateProcessW(program.c_str(), arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        nullptr, nullptr) != FALSE;
}

}  // namespace

int ContactActionRow::NumberChoice() const {
  for (size_t choice = 0; choice < kNumberChoices.size(); ++choice) {
    if (data & kNumberChoices[choice]) return static_cast<int>(choice);
  }
  return -1;
}

int ContactActionRow::Line() const {
  for (int line = 0; line < kMaxLines; ++line) {
    if (data & LineBit(line)) return line;
  }
  return -1;
}

std::u16string ContactRowValue(const std::vector<ContactActionRow>& rows, size_t index) {
  if (index >= rows.size()) return {};
  // A later line of a spanned value stands for the whole value: go back to its first line.
  while (rows[index].Line() > 0 && index > 0 && rows[index - 1].Line() == rows[index].Line() - 1) --index;
  std::u16string value = rows[index].text;
  int line = rows[index].Line();
  if (line < 0) return value;
  for (size_t next = index + 1; next < rows.size() && next < index + ContactActionRow::kMaxLines; ++next) {
    if (rows[next].Line() != line + 1) break;
    value += rows[next].text;
    line = rows[next].Line();
  }
  return value;
}

std::vector<ContactActionRow> SpanRows(DWORD kind, const std::vector<std::u16string>& lines) {
  std::vector<ContactActionRow> rows;
  if (lines.size() == 1) return {{kind, lines.front()}};
  for (size_t line = 0; line < lines.size() && line < ContactActionRow::kMaxLines; ++line) {
    rows.push_back({kind | ContactActionRow::LineBit(static_cast<int>(line)), lines[line]});
  }
  return rows;
}

ContactAction ContactActions::Activate(HWND owner, const std::vector<ContactActionRow>& rows,
                                       size_t index) const {
  if (index >= rows.size()) return ContactAction::None;
  const ContactActionRow& row = rows[index];
  std::u16string value = ContactRowValue(rows, index);
  if (row.Is(ContactActionRow::kPhone)) return Dial(owner, row, value);
  if (value.empty()) return ContactAction::None;
  if (row.Is(ContactActionRow::kMail)) {
    MailCommand mail = BuildMailCommand(value);
    return Start(mail.program, mail.arguments) ? ContactAction::Mail : ContactAction::None;
  }
  if (row.Is(ContactActionRow::kWeb))
    return Start(kWebProgram, value) ? ContactAction::Web : ContactAction::None;
  return ContactAction::None;
}

ContactAction ContactActions::Dial(HWND owner, const ContactActionRow& row,
                                   const std::u16string& value) const {
  int choice = row.NumberChoice();
  const std::u16string& number = choice >= 0 ? numbers_[static_cast<size_t>(choice)] : value;
  if (number.empty()) return ContactAction::None;
  bool started =
      dialer_.DialNumber(owner, number.c_str(), options_.ContactValue(kDialOptions),
                         options_.ContactValue(kPrefixOptions), options_.ContactValue(kCountryOptions));
  return started ? ContactAction::Dialled : ContactAction::DialRefused;
}

bool ContactActions::OffersDialCancel() const {
  return options_.ContactValue(kDialCancelOffered) != 0;
}

void ContactActions::CancelDial() const {
  dialer_.DialNumberCancel();
}

bool StartPhotoSelect(ItemOid contact) {
  WCHAR path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string program = path;
  size_t slash = program.find_last_of(u'\\');
  program = (slash == std::u16string::npos ? std::u16string() : program.substr(0, slash + 1)) + kPhotoProgram;
  return Start(program, platform::FormatText(u"[%d]", {static_cast<int>(contact)}));
}

}  // namespace calyra
