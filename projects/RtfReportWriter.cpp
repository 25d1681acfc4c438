#include "projects/RtfReportWriter.h"

#include <algorithm>

#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"

namespace calyra {

namespace {

constexpr size_t kFlushBytes = 16 * 1024;

}  // namespace

RtfReportWriter::~RtfReportWriter() {
  if (file_ == INVALID_HANDLE_VALUE) return;
  Flush();
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
  if (text.empty()) return;
  int wideCount = static_cast<int>(text.size());
  int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), wideCount, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  size_t at = pending_.size();
  pending_.resize(at + static_cast<size_t>(needed));
  int written =
      WideCharToMultiByte(CP_ACP, 0, text.data(), wideCount, pending_.data() + at, needed, nullptr, nullptr);
  pending_.resize(at + static_cast<size_t>(std::max(written, 0)));
  if (pending_.size() >= kFlushBytes) Flush();
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
  Flush();
  bool closed = CloseHandle(file_) != FALSE;
  file_ = INVALID_HANDLE_VALUE;
  return closed && !failed_;
}

void RtfReportWriter::Put(std::string_view bytes) {
  pending_.append(bytes);
  if (pending_.size() >= kFlushBytes) Flush();
}

void RtfReportWriter::Flush() {
  if (pending_.empty() || file_ == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (!WriteFile(file_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr) ||
      written != pending_.size())
    failed_ = true;
  pending_.clear();
}

}  // namespace calyra
