#include "platform/ui/controls/InkBlob.h"

namespace platform {

namespace {

constexpr size_t kHeaderBytes = 8;
constexpr size_t kRunBytes = 12;
constexpr size_t kLinkBytes = 12;  // without its target
constexpr size_t kStrokeBytes = 4;
constexpr size_t kPointBytes = 8;

class Writer {
 public:
  void U16(uint16_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(value >> shift));
  }
  void Text(const std::u16string& text) {
    U32(static_cast<uint32_t>(text.size()));
    for (char16_t c : text) U16(static_cast<uint16_t>(c));
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// Reads little-endian values; any read past the end fails the whole read.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t Left() const { return size_ - at_; }
  bool U16(uint16_t* value) {
    if (Left() < 2) return false;
    *value = static_cast<uint16_t>(data_[at_] | (data_[at_ + 1] << 8));
    at_ += 2;
    return true;
  }
  bool U32(uint32_t* value) {
    if (Left() < 4) return false;
    *value = 0;
    for (size_t i = 0; i < 4; ++i) *value |= static_cast<uint32_t>(data_[at_ + i]) << (8 * i);
    at_ += 4;
    return true;
  }
  // A count whose records, each at least `recordBytes` long, must fit in what is left.
  bool Count(size_t limit, size_t recordBytes, uint32_t* count) {
    return U32(count) && *count <= limit && *count <= Left() / recordBytes;
  }
  bool Text(size_t limit, std::u16string* text) {
    uint32_t length = 0;
    if (!Count(limit, 2, &length)) return false;
    text->resize(length);
    for (char16_t& c : *text) {
      uint16_t unit = 0;
      U16(&unit);
      c = static_cast<char16_t>(unit);
    }
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Spans sorted, not overlapping, non-empty and inside the text.
template <class Span, class Start>
bool SpansFit(const std::vector<Span>& spans, size_t textLength, Start start) {
  uint64_t end = 0;
  for (const Span& span : spans) {
    uint64_t first = start(span);
    if (span.length == 0 || first < end || first + span.length > textLength) return false;
    end = first + span.length;
  }
  return true;
}

bool ReadRuns(Reader& in, InkContent* content) {
  uint32_t count = 0;
  if (!in.Count(kInkTextMaxChars, kRunBytes, &count)) return false;
  content->runs.resize(count);
  for (InkFormatRun& run : content->runs) {
    in.U32(&run.start);
    in.U32(&run.length);
    in.U32(&run.effects);
  }
  return true;
}

bool ReadLinks(Reader& in, InkContent* content) {
  uint32_t count = 0;
  if (!in.Count(kInkLinkMaxCount, kLinkBytes, &count)) return false;
  content->links.resize(count);
  for (InkLinkSpan& link : content->links) {
    if (!in.U32(&link.position) || !in.U32(&link.length) || !in.Text(kInkLinkTargetMaxChars, &link.target))
      return false;
  }
  return true;
}

bool ReadStrokes(Reader& in, InkContent* content) {
  uint32_t count = 0;
  if (!in.Count(kInkStrokeMaxCount, kStrokeBytes, &count)) return false;
  content->strokes.resize(count);
  for (InkStroke& stroke : content->strokes) {
    uint32_t points = 0;
    if (!in.Count(kInkStrokeMaxPoints, kPointBytes, &points) || points == 0) return false;
    stroke.points.resize(points);
    for (InkPoint& point : stroke.points) {
      uint32_t x = 0, y = 0;
      in.U32(&x);
      in.U32(&y);
      point = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
    }
  }
  return true;
}

}  // namespace

bool IsValidInkContent(const InkContent& content) {
  if (content.text.size() > kInkTextMaxChars || content.links.size() > kInkLinkMaxCount ||
      content.strokes.size() > kInkStrokeMaxCount) {
    return false;
  }
  for (const InkFormatRun& run : content.runs) {
    if (run.effects == 0 || (run.effects & ~kInkKnownEffects) != 0) return false;
  }
  for (const InkLinkSpan& link : content.links) {
    if (link.target.size() > kInkLinkTargetMaxChars) return false;
  }
  size_t points = 0;
  for (const InkStroke& stroke : content.strokes) {
    if (stroke.points.empty() || stroke.points.size() > kInkStrokeMaxPoints) return false;
    points += stroke.points.size();
  }
  if (points > kInkTotalPointsMax) return false;
  return SpansFit(content.runs, content.text.size(), [](const InkFormatRun& run) { return run.start; }) &&
         SpansFit(content.links, content.text.size(), [](const InkLinkSpan& link) { return link.position; });
}

std::vector<uint8_t> WriteInkBlob(const InkContent& content) {
  if (content.Empty() || !IsValidInkContent(content)) return {};
  Writer out;
  out.U32(kInkBlobMagic);
  out.U16(kInkBlobVersion);
  out.U16(0);
  out.Text(content.text);
  out.U32(static_cast<uint32_t>(content.runs.size()));
  for (const InkFormatRun& run : content.runs) {
    out.U32(run.start);
    out.U32(run.length);
    out.U32(run.effects);
  }
  out.U32(static_cast<uint32_t>(content.links.size()));
  for (const InkLinkSpan& link : content.links) {
    out.U32(link.position);
    out.U32(link.length);
    out.Text(link.target);
  }
  out.U32(static_cast<uint32_t>(content.strokes.size()));
  for (const InkStroke& stroke : content.strokes) {
    out.U32(static_cast<uint32_t>(stroke.points.size()));
    for (const InkPoint& point : stroke.points) {
      out.U32(static_cast<uint32_t>(point.x));
      out.U32(static_cast<uint32_t>(point.y));
    }
  }
  std::vector<uint8_t> blob = out.Take();
  if (blob.size() > kInkBlobMaxBytes) return {};
  return blob;
}

std::optional<InkContent> ReadInkBlob(const uint8_t* data, size_t size) {
  if (size == 0) return InkContent();
  if (!data || size < kHeaderBytes || size > kInkBlobMaxBytes) return std::nullopt;
  Reader in(data, size);
  uint32_t magic = 0;
  uint16_t version = 0, reserved = 0;
  in.U32(&magic);
  in.U16(&version);
  in.U16(&reserved);
  if (magic != kInkBlobMagic || version != kInkBlobVersion || reserved != 0) return std::nullopt;
  InkContent content;
  if (!in.Text(kInkTextMaxChars, &content.text) || !ReadRuns(in, &content) || !ReadLinks(in, &content) ||
      !ReadStrokes(in, &content) || in.Left() != 0 || !IsValidInkContent(content)) {
    return std::nullopt;
  }
  return content;
}

std::optional<std::u16string> InkBlobPlainText(const uint8_t* data, size_t size) {
  std::optional<InkContent> content = ReadInkBlob(data, size);
  if (!content) return std::nullopt;
  return std::move(content->text);
}

}  // namespace platform
