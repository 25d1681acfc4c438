#include "projects/RtfReportWriter.h"

#include <algorithm>

#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"

namespace calyra {

namespace {

bool StartsSurrogatePair(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

RtfReportWriter::~RtfReportWriter() {
  if (file_ == INVALID_HANDLE_VALUE) return;
  Flush(true);
  CloseHandle(file_);
}

bool RtfReportWriter::Open(std::u16string_view path) {
  if (file_ != INVALID_HANDLE_VALUE) return false;
  std::u16string name(path);
  file_ = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  pending_.clear();
  failed_ = false;
  Put(kHeader);
  return true;
}

void RtfReportWriter::BoldOn() {
  Put("\\b ");
}

void RtfReportWriter::BoldOff() {
  Put("\\b0 ");
}

void RtfReportWriter::BeginValue() {}

void RtfReportWriter::EndValue() {}

void RtfReportWriter::WriteText(std::u16string_view text) {
  pending_.append(text);
  if (pending_.size() >= kPieceChars) Flush(false);
}

void RtfReportWriter::Indent(int level) {
  if (level <= 0) return;
  for (int i = 0; i < std::min(level, kMaxIndent); ++i) Put("\\tab");
  Put(" ");
}

void RtfReportWriter::EndParagraph() {
  Put("\\par\r\n");
}

bool RtfReportWriter::Close() {
  if (file_ == INVALID_HANDLE_VALUE) return false;
  Put("}");
  Flush(true);
  bool closed = CloseHandle(file_) != FALSE;
  file_ = INVALID_HANDLE_VALUE;
  return closed && !failed_;
}

void RtfReportWriter::Put(std::string_view controlWords) {
  pending_.append(controlWords.begin(), controlWords.end());
  if (pending_.size() >= kPieceChars) Flush(false);
}

void RtfReportWriter::Flush(bool all) {
  if (file_ == INVALID_HANDLE_VALUE) return;
  size_t count = pending_.size();
  if (!all && count > 0 && StartsSurrogatePair(pending_.back())) --count;
  if (count == 0) return;
  int wideCount = static_cast<int>(count);
  int needed = WideCharToMultiByte(CP_ACP, 0, pending_.data(), wideCount, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(std::max(needed, 0)), '\0');
  int converted =
      WideCharToMultiByte(CP_ACP, 0, pending_.data(), wideCount, bytes.data(), needed, nullptr, nullptr);
  pending_.erase(0, count);
  DWORD written = 0;
  if (needed <= 0 || converted != needed ||
      !WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    failed_ = true;
}

}  // namespace calyra
