#include "text/ContactNameFormat.h"

#include "platform/text/Text.h"
#include "platform/ui/Menu.h"

namespace calyra {

namespace {

constexpr size_t kTextBound = 1024;

bool Has(const std::u16string& field) {
  return !field.empty();
}

std::u16string Join(std::initializer_list<std::u16string_view> parts) {
  std::u16string out;
  for (std::u16string_view part : parts) out += part;
  return out;
}

// "Last, First Middle" or "Last, First".
std::u16string LastFirstMiddle(const std::u16string& last, const std::u16string& first,
                               const std::u16string& middle) {
  return Has(middle) ? Join({last, u", ", first, u" ", middle}) : Join({last, u", ", first});
}

// "First Middle Last" or "First Last".
std::u16string FirstMiddleLast(const std::u16string& first, const std::u16string& middle,
                               const std::u16string& last) {
  return Has(middle) ? Join({first, u" ", middle, u" ", last}) : Join({first, u" ", last});
}

std::u16string WithSuffix(std::u16string text, const std::u16string& suffix) {
  return Has(suffix) ? text + u" " + suffix : text;
}

std::u16string LastFirstCompany(const ContactName& n) {
  return Join({n.last, u", ", n.first, u" (", n.company, u")"});
}

std::u16string CompanyLastFirstMiddle(const ContactName& n) {
  return Has(n.middle) ? Join({n.company, u", (", n.last, u", ", n.first, u" ", n.middle, u")"})
                       : Join({n.company, u", (", n.last, u", ", n.first, u")"});
}

std::u16string BuildLastFirst(const ContactName& n, const std::u16string& noName) {
  if (Has(n.last)) {
    if (!Has(n.first)) return n.last;
    return Has(n.middle) ? Join({n.last, u", ", n.first, u" ", n.middle}) : Join({n.last, u", ", n.first});
  }
  if (Has(n.first)) return Has(n.middle) ? Join({n.first, u" ", n.middle}) : n.first;
  return noName;
}

std::u16string BuildFirstLast(const ContactName& n, const std::u16string& noName) {
  if (Has(n.first)) {
    std::u16string text = n.first;
    if (Has(n.middle)) text += u" " + n.middle;
    if (Has(n.last)) text += u" " + WithSuffix(n.last, n.suffix);
    return text;
  }
  if (Has(n.last)) return WithSuffix(n.last, n.suffix);
  return noName;
}

std::u16string BuildLastFirstCompany(const ContactName& n) {
  if (Has(n.last)) return Has(n.first) ? LastFirstCompany(n) : n.last;
  if (Has(n.first)) return Join({n.first, u" (", n.company, u")"});
  return n.company;
}

std::u16string BuildCompanyLastFirst(const ContactName& n) {
  if (Has(n.last)) {
    std::u16string inner = n.last;
    if (Has(n.first)) inner += u", " + (Has(n.middle) ? n.first + u" " + n.middle : n.first);
    return Join({n.company, u", (", inner, u")"});
  }
  if (Has(n.first)) {
    return Join({n.company, u", (", Has(n.middle) ? n.first + u" " + n.middle : n.first, u")"});
  }
  return n.company;
}

bool InBound(size_t length) {
  return length >= 1 && length < kTextBound;
}

}  // namespace

FileAsFormat NormaliseFileAsFormat(FileAsFormat format, const ContactName& name) {
  if (format == FileAsFormat::Custom) return format;
  if (format == FileAsFormat::Company) return Has(name.company) ? format : FileAsFormat::LastFirstMiddle;
  if (!Has(name.first) && !Has(name.last) && Has(name.company)) return FileAsFormat::Company;
  return format;
}

std::u16string BuildFileAs(FileAsFormat& format, const ContactName& name, const std::u16string& customFileAs,
                           const NameFormatTexts& texts) {
  format = NormaliseFileAsFormat(format, name);
  switch (format) {
    case FileAsFormat::LastFirstMiddle:
      return BuildLastFirst(name, texts.noName);
    case FileAsFormat::FirstMiddleLastSuffix:
      return BuildFirstLast(name, texts.noName);
    case FileAsFormat::Company:
      return name.company;
    case FileAsFormat::LastFirstCompany:
      return BuildLastFirstCompany(name);
    case FileAsFormat::CompanyLastFirstMiddle:
      return BuildCompanyLastFirst(name);
    case FileAsFormat::Custom:
      return customFileAs;
    default:
      return texts.noName;
  }
}

FileAsFormat RecognizeFileAs(const std::u16string& fileAs, const ContactName& n,
                             std::u16string* customFileAs) {
  auto custom = [&] {
    if (fileAs.empty()) return FileAsFormat::LastFirstMiddle;
    if (customFileAs) *customFileAs = fileAs;
    return FileAsFormat::Custom;
  };
  if (!Has(n.first) && !Has(n.middle) && !Has(n.last) && !Has(n.suffix) && !Has(n.company)) return custom();

  size_t names = n.first.size() + n.middle.size() + n.last.size();
  if (InBound(names)) {
    std::u16string candidate;
    if (Has(n.middle)) {
      candidate = Join({n.last, u", ", n.first, u" ", n.middle});
    } else if (Has(n.last)) {
      candidate = Has(n.first) ? Join({n.last, u", ", n.first}) : n.last;
    }
    if (!candidate.empty() && candidate == fileAs) return FileAsFormat::LastFirstMiddle;
  }
  if (InBound(names + n.suffix.size())) {
    std::u16string candidate = WithSuffix(FirstMiddleLast(n.first, n.middle, n.last), n.suffix);
    if (candidate == fileAs) return FileAsFormat::FirstMiddleLastSuffix;
  }
  if (InBound(n.company.size())) {
    if (n.company == fileAs) return FileAsFormat::Company;
    if (Has(n.first) && Has(n.last) && n.last.size() + n.first.size() + n.company.size() < kTextBound) {
      if (LastFirstCompany(n) == fileAs) return FileAsFormat::LastFirstCompany;
      bool withMiddle =
          Has(n.middle) && n.last.size() + n.first.size() + n.company.size() + n.middle.size() < kTextBound;
      ContactName shown = n;
      if (!withMiddle) shown.middle.clear();
      if (CompanyLastFirstMiddle(shown) == fileAs) return FileAsFormat::CompanyLastFirstMiddle;
    }
  }
  return custom();
}

std::vector<FileAsMenuEntry> BuildFileAsMenuEntries(const ContactName& n, const NameFormatTexts& t) {
  bool firstAndLast = Has(n.first) && Has(n.last);
  bool lastOnly = Has(n.last) && !Has(n.first) && !Has(n.company);
  bool all = firstAndLast && Has(n.company);
  ContactName labels{t.first, t.middle, t.last, t.suffix, t.company};
  std::vector<FileAsMenuEntry> entries(5);
  entries[0] = firstAndLast ? FileAsMenuEntry{LastFirstMiddle(n.last, n.first, n.middle), true}
               : lastOnly   ? FileAsMenuEntry{n.last, true}
                            : FileAsMenuEntry{LastFirstMiddle(t.last, t.first, t.middle), false};
  entries[1] = firstAndLast
                   ? FileAsMenuEntry{WithSuffix(FirstMiddleLast(n.first, n.middle, n.last), n.suffix), true}
                   : FileAsMenuEntry{Join({t.first, u" ", t.middle, u" ", t.last, u" ", t.suffix}), false};
  entries[2] = Has(n.company) ? FileAsMenuEntry{n.company, true} : FileAsMenuEntry{t.company, false};
  entries[3] =
      all ? FileAsMenuEntry{LastFirstCompany(n), true} : FileAsMenuEntry{LastFirstCompany(labels), false};
  entries[4] = all ? FileAsMenuEntry{CompanyLastFirstMiddle(n), true}
                   : FileAsMenuEntry{CompanyLastFirstMiddle(labels), false};
  for (FileAsMenuEntry& entry : entries) {
    // Each text lives in a buffer of 1024 characters.
    if (entry.text.size() > kTextBound - 1) entry.text.resize(kTextBound - 1);
    entry.text = EscapeMenuText(entry.text);
  }
  return entries;
}

void FillFileAsMenu(HMENU menu, const ContactName& name, FileAsFormat current, const NameFormatTexts& texts) {
  int count = GetMenuItemCount(menu);
  if (count < 0) return;
  if (std::min(count, 256) == 2) {
    for (UINT i = 0; i < 5; ++i)
      InsertMenuW(menu, i, MF_BYPOSITION | MF_STRING, kFileAsMenuCommands[i], kFileAsMenuLabels[i]);
  }
  std::vector<FileAsMenuEntry> entries = BuildFileAsMenuEntries(name, texts);
  for (UINT i = 0; i < entries.size(); ++i) {
    UINT state = entries[i].enabled ? MF_ENABLED : MF_GRAYED;
    ModifyMenuW(menu, i, MF_BYPOSITION | MF_STRING | state, kFileAsMenuCommands[i], entries[i].text.c_str());
  }
  int position = static_cast<int>(current);
  int last = GetMenuItemCount(menu) - 1;
  if (position >= 0 && position <= 6 && position <= last) {
    CheckMenuRadioItem(menu, 0, static_cast<UINT>(last), static_cast<UINT>(position), MF_BYPOSITION);
  }
}

std::vector<std::pair<unsigned, std::u16string>> BuildNameVariants(const std::u16string& fileAs,
                                                                   const ContactName& n) {
  std::vector<std::pair<unsigned, std::u16string>> variants = BuildNameVariantTexts(fileAs, n);
  for (auto& variant : variants) variant.second = EscapeMenuText(variant.second);
  return variants;
}

std::vector<std::pair<unsigned, std::u16string>> BuildNameVariantTexts(const std::u16string& fileAs,
                                                                       const ContactName& n) {
  std::vector<std::pair<unsigned, std::u16string>> variants{{5000, fileAs}};
  auto add = [&](unsigned command, const std::u16string& text) {
    if (text.empty()) return;
    for (const auto& other : variants) {
      if (platform::EqualsNoCase(other.second, text)) return;
    }
    variants.emplace_back(command, text);
  };
  bool firstAndLast = Has(n.first) && Has(n.last);
  if (firstAndLast) {
    add(5001, Join({n.first, u" ", n.last}));
    add(5002, LastFirstMiddle(n.last, n.first, n.middle));
    add(5003, WithSuffix(FirstMiddleLast(n.first, n.middle, n.last), n.suffix));
  } else if (Has(n.last) && !Has(n.company)) {
    add(5002, n.last);
  }
  if (Has(n.company)) add(5004, n.company);
  if (firstAndLast && Has(n.company)) {
    add(5005, LastFirstCompany(n));
    add(5006, CompanyLastFirstMiddle(n));
  }
  return variants;
}

std::u16string EscapeMenuText(const std::u16string& text) {
  size_t amp = text.find(u'&');
  if (amp == std::u16string::npos || text.size() >= kTextBound - 1) return text;
  std::u16string escaped = text;
  escaped.insert(amp, 1, u'&');
  return escaped;
}

}  // namespace calyra
