#include "platform/text/Formatter.h"

#include <cstdio>
#include <vector>

#include "platform/text/Text.h"

namespace platform {

namespace {

struct Spec {
  bool left = false, plus = false, space = false, zero = false, alternate = false;
  size_t width = 0;
  int precision = -1;
  char16_t conversion = 0;
};

// The widest field a specifier may ask for: a bound against formats that would allocate without end.
constexpr size_t kMaxField = 1 << 20;

class Writer {
 public:
  Writer(std::u16string_view format, std::initializer_list<FormatArg> args)
      : format_(format), args_(args.begin(), args.end()) {}

  std::u16string Run() {
    for (size_t i = 0; i < format_.size();) {
      if (format_[i] != u'%') {
        out_ += format_[i++];
        continue;
      }
      size_t start = i++;
      Spec spec;
      if (!Parse(&i, &spec)) {
        out_.append(format_.substr(start));  // an incomplete specifier is written as it stands
        break;
      }
      Convert(spec);
    }
    return std::move(out_);
  }

 private:
  const FormatArg* Next() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

  size_t NumberOrStar(size_t* i, bool* star) {
    *star = *i < format_.size() && format_[*i] == u'*';
    if (*star) {
      ++*i;
      const FormatArg* arg = Next();
      if (arg == nullptr) return 0;
      int64_t value =
          arg->GetKind() == FormatArg::Kind::Unsigned ? static_cast<int64_t>(arg->Unsigned()) : arg->Signed();
      return value < 0 ? 0 : std::min<size_t>(static_cast<size_t>(value), kMaxField);
    }
    size_t value = 0;
    while (*i < format_.size() && format_[*i] >= u'0' && format_[*i] <= u'9') {
      value = std::min(value * 10 + (format_[*i] - u'0'), kMaxField);
      ++*i;
    }
    return value;
  }

  bool Parse(size_t* i, Spec* spec) {
    for (; *i < format_.size(); ++*i) {
      char16_t c = format_[*i];
      if (c == u'-')
        spec->left = true;
      else if (c == u'+')
        spec->plus = true;
      else if (c == u' ')
        spec->space = true;
      else if (c == u'0')
        spec->zero = true;
      else if (c == u'#')
        spec->alternate = true;
      else
        break;
    }
    bool star = false;
    spec->width = NumberOrStar(i, &star);
    if (*i < format_.size() && format_[*i] == u'.') {
      ++*i;
      spec->precision = static_cast<int>(NumberOrStar(i, &star));
    }
    while (*i < format_.size()) {
      char16_t c = format_[*i];
      if (c == u'h' || c == u'l' || c == u'w' || c == u'L') {
        ++*i;
      } else if (c == u'I' && format_.substr(*i, 3) == u"I64") {
        *i += 3;
      } else {
        break;
      }
    }
    if (*i >= format_.size()) return false;
    spec->conversion = format_[(*i)++];
    return true;
  }

  void Pad(const std::u16string& body, const Spec& spec, size_t prefixLength = 0) {
    if (body.size() >= spec.width) {
      out_ += body;
    } else if (spec.left) {
      out_ += body;
      out_.append(spec.width - body.size(), u' ');
    } else if (spec.zero) {
      out_.append(body, 0, prefixLength);
      out_.append(spec.width - body.size(), u'0');
      out_.append(body, prefixLength);
    } else {
      out_.append(spec.width - body.size(), u' ');
      out_ += body;
    }
  }

  void Integer(const Spec& spec, const FormatArg& arg) {
    bool isSigned = spec.conversion == u'd' || spec.conversion == u'i';
    bool negative = false;
    uint64_t magnitude = 0;
    if (arg.GetKind() == FormatArg::Kind::Signed) {
      int64_t value = arg.Signed();
      if (isSigned) {
        negative = value < 0;
        magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
      } else {
        // As on the platform, a negative int printed unsigned shows its 32-bit pattern.
        magnitude =
            (value < 0 && value >= INT32_MIN) ? static_cast<uint32_t>(value) : static_cast<uint64_t>(value);
      }
    } else if (arg.GetKind() == FormatArg::Kind::Unsigned) {
      magnitude = arg.Unsigned();
    } else if (arg.GetKind() == FormatArg::Kind::Char) {
      magnitude = arg.Char();
    } else {
      return;  // a number was asked for and something else was given
    }
    unsigned base = 10;
    const char16_t* digits = u"0123456789abcdef";
    if (spec.conversion == u'x') base = 16;
    if (spec.conversion == u'X') base = 16, digits = u"0123456789ABCDEF";
    if (spec.conversion == u'o') base = 8;
    std::u16string number;
    for (uint64_t v = magnitude; v > 0; v /= base) number.insert(number.begin(), digits[v % base]);
    size_t minimum = spec.precision < 0 ? 1 : static_cast<size_t>(spec.precision);
    if (number.size() < minimum) number.insert(0, minimum - number.size(), u'0');
    std::u16string prefix;
    if (isSigned) prefix = negative ? u"-" : (spec.plus ? u"+" : (spec.space ? u" " : u""));
    if (spec.alternate && magnitude != 0 && base == 16) prefix = spec.conversion == u'X' ? u"0X" : u"0x";
    if (spec.alternate && base == 8 && number[0] != u'0') prefix = u"0";
    Spec padding = spec;
    padding.zero = spec.zero && !spec.left && spec.precision < 0;
    Pad(prefix + number, padding, prefix.size());
  }

  void Floating(const Spec& spec, const FormatArg& arg) {
    double value = 0;
    if (arg.GetKind() == FormatArg::Kind::Double)
      value = arg.Double();
    else if (arg.GetKind() == FormatArg::Kind::Signed)
      value = static_cast<double>(arg.Signed());
    else if (arg.GetKind() == FormatArg::Kind::Unsigned)
      value = static_cast<double>(arg.Unsigned());
    else
      return;
    std::string pattern = "%";
    if (spec.left) pattern += '-';
    if (spec.plus) pattern += '+';
    if (spec.space) pattern += ' ';
    if (spec.zero) pattern += '0';
    if (spec.alternate) pattern += '#';
    pattern += std::to_string(spec.width);
    if (spec.precision >= 0) pattern += "." + std::to_string(std::min(spec.precision, 100));
    pattern += static_cast<char>(spec.conversion);
    int length = std::snprintf(nullptr, 0, pattern.c_str(), value);
    if (length <= 0) return;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern.c_str(), value);
    text.resize(static_cast<size_t>(length));
    out_ += FromUtf8(text);
  }

  void Convert(const Spec& spec) {
    if (spec.conversion == u'%') {
      out_ += u'%';
      return;
    }
    const FormatArg* arg = Next();
    if (arg == nullptr) return;
    switch (spec.conversion) {
      case u's':
      case u'S': {
        if (arg->GetKind() != FormatArg::Kind::Text) return;
        std::u16string_view text = arg->Text();
        if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision))
          text = text.substr(0, spec.precision);
        Spec padding = spec;
        padding.zero = false;
        Pad(std::u16string(text), padding);
        return;
      }
      case u'c':
      case u'C': {
        char16_t c = 0;
        if (arg->GetKind() == FormatArg::Kind::Char)
          c = arg->Char();
        else if (arg->GetKind() == FormatArg::Kind::Signed)
          c = static_cast<char16_t>(arg->Signed());
        else if (arg->GetKind() == FormatArg::Kind::Unsigned)
          c = static_cast<char16_t>(arg->Unsigned());
        else
          return;
        Spec padding = spec;
        padding.zero = false;
        Pad(std::u16string(1, c), padding);
        return;
      }
      case u'd':
      case u'i':
      case u'u':
      case u'x':
      case u'X':
      case u'o':
        Integer(spec, *arg);
        return;
      case u'f':
      case u'e':
      case u'E':
      case u'g':
      case u'G':
        Floating(spec, *arg);
        return;
      default:
        return;  // an unknown conversion uses up its argument and writes nothing
    }
  }

  std::u16string_view format_;
  std::vector<FormatArg> args_;
  size_t next_ = 0;
  std::u16string out_;
};

}  // namespace

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args) {
  return Writer(format, args).Run();
}

size_t FormatBounded(char16_t* buffer, size_t capacity, std::u16string_view format,
                     std::initializer_list<FormatArg> args) {
  return BoundedCopy(buffer, capacity, FormatText(format, args));
}

}  // namespace platform
