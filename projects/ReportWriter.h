#pragma once

#include <string_view>

#include "platform/core/PlatformTypes.h"

namespace calyra {

// What the project report is written through. The report says what goes where (a value, bold text,
// an indented line); a writer says how its format shows it. The operations are declared in the
// order of the writer's table: destroy, open, bold on, bold off, begin value, end value, write text,
// indent, end paragraph, close.
class ReportWriter {
 public:
  virtual ~ReportWriter() = default;

  // Creates the file at `path` anew and writes the format's header; false when it cannot be
  // created, and then the file that was there stays as it was.
  virtual bool Open(std::u16string_view path) = 0;
  virtual void BoldOn() = 0;
  virtual void BoldOff() = 0;
  // Around the text of a value (a date, a duration), for formats that mark values.
  virtual void BeginValue() = 0;
  virtual void EndValue() = 0;
  virtual void WriteText(std::u16string_view text) = 0;
  // `level` tab stops at the start of a line.
  virtual void Indent(int level) = 0;
  virtual void EndParagraph() = 0;
  // Ends the document and closes the file; false when a write failed.
  virtual bool Close() = 0;
};

}  // namespace calyra
