#pragma once

#include <string>

#include "projects/ReportWriter.h"

namespace calyra {

// The project report as rich text for the device's rich-text view: Tahoma 10 pt with tab stops every
// 270 twips, the text in the ANSI code page. Text is written as it comes, so that the rich-text
// view is given exactly what the handheld's own report files hold.
class RtfReportWriter : public ReportWriter {
 public:
  // The header written by Open: the font table, the view and the tab stops.
  static constexpr std::string_view kHeader =
      R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Tahoma;}})"
      R"(\viewkind4\uc1\pard\tx270\tx540\tx810\tx1080\tx1350\tx1620\tx1890\tx2160\tx2430\tx2700)"
      R"(\tx2970\tx3240\tx3510\tx3780\tx4050\tx4320\f0\fs20 )";
  // Deeper levels are indented no further: the header has 16 tab stops.
  static constexpr int kMaxIndent = 16;
  // The file is written in pieces of about this many characters.
  static constexpr size_t kPieceChars = 16 * 1024;

  RtfReportWriter() = default;
  RtfReportWriter(const RtfReportWriter&) = delete;
  RtfReportWriter& operator=(const RtfReportWriter&) = delete;
  // A file still open is closed as far as it was written, without the closing brace.
  ~RtfReportWriter() override;

  bool Open(std::u16string_view path) override;
  void BoldOn() override;
  void BoldOff() override;
  void BeginValue() override;
  void EndValue() override;
  void WriteText(std::u16string_view text) override;
  void Indent(int level) override;
  void EndParagraph() override;
  bool Close() override;

 private:
  void Put(std::string_view controlWords);
  // Converts and writes what is pending; unless `all`, a last unit that starts a character of two
  // waits for its second one.
  void Flush(bool all);

  HANDLE file_ = INVALID_HANDLE_VALUE;
  // What is not yet written, control words and text together: the control words are ASCII, which the
  // code page keeps as it is, so the whole piece goes through one conversion.
  std::u16string pending_;
  bool failed_ = false;
};

}  // namespace calyra
