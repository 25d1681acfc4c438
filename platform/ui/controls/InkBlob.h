#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The ink control's whole content and its serialised form, the notes blob that items keep
// (docs/INK.md has the byte layout). The reader takes bytes from anywhere, so it checks every count
// and bound against the data before it allocates, and refuses anything it did not write.
namespace platform {

// A span of the text with character effects (CFE_* bits of the rich-ink window).
struct InkFormatRun {
  uint32_t start = 0;
  uint32_t length = 0;
  uint32_t effects = 0;
  bool operator==(const InkFormatRun&) const = default;
};

// A link: a span of the text and where it leads.
struct InkLinkSpan {
  uint32_t position = 0;
  uint32_t length = 0;
  std::u16string target;
  bool operator==(const InkLinkSpan&) const = default;
};

struct InkPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const InkPoint&) const = default;
};

// One pen stroke as the pen drew it, in the control's client coordinates.
struct InkStroke {
  std::vector<InkPoint> points;
  bool operator==(const InkStroke&) const = default;
};

struct InkContent {
  std::u16string text;
  std::vector<InkFormatRun> runs;  // sorted, not overlapping, non-empty
  std::vector<InkLinkSpan> links;  // sorted, not overlapping, non-empty
  std::vector<InkStroke> strokes;  // in drawing order
  bool Empty() const { return text.empty() && strokes.empty(); }
  bool operator==(const InkContent&) const = default;
};

// The bounds of the format; content beyond them is neither written nor read. Together they keep a
// blob below kInkBlobMaxBytes.
inline constexpr size_t kInkBlobMaxBytes = 4u << 20;
inline constexpr size_t kInkTextMaxChars = 65536;
inline constexpr size_t kInkLinkMaxCount = 1024;
inline constexpr size_t kInkLinkTargetMaxChars = 1024;
inline constexpr size_t kInkStrokeMaxCount = 4096;
inline constexpr size_t kInkStrokeMaxPoints = 4096;
inline constexpr size_t kInkTotalPointsMax = 65536;  // of all strokes together
// The character effects a run may carry: bold, italic, underline, strikeout, highlight.
inline constexpr uint32_t kInkKnownEffects = 0x0000000F | 0x00040000;

inline constexpr uint32_t kInkBlobMagic = 0x4B495943;  // "CYIK" as little-endian bytes
inline constexpr uint16_t kInkBlobVersion = 1;

// The blob of `content`; empty content gives an empty blob. Content outside the bounds (a text too
// long, a run or link outside the text) is not the control's and gives an empty blob too.
std::vector<uint8_t> WriteInkBlob(const InkContent& content);
// The content of a blob; nothing for malformed, truncated or oversize input. An empty blob is empty
// content.
std::optional<InkContent> ReadInkBlob(const uint8_t* data, size_t size);
// The typed text of a blob (links are part of it), CR LF between paragraphs; nothing when the blob
// cannot be read.
std::optional<std::u16string> InkBlobPlainText(const uint8_t* data, size_t size);
// Whether content keeps the rules the reader checks (what WriteInkBlob writes).
bool IsValidInkContent(const InkContent& content);

}  // namespace platform
