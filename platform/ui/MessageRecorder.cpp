#include "platform/ui/MessageRecorder.h"

#include <algorithm>
#include <cstdio>

#include "platform/ui/WindowManager.h"

namespace platform {

namespace {

constexpr UINT kNoise[] = {WM_PAINT,      WM_ERASEBKGND,   WM_GETTEXT, WM_GETTEXTLENGTH,
                           WM_GETDLGCODE, WM_EMU_DESCRIBE, WM_GETFONT, WM_CTLCOLORSTATIC};

std::string Line(const RecordedMessage& message) {
  char line[128];
  std::snprintf(line, sizeof line, "%s %#06x wParam=%#llx lParam=%#llx", message.posted ? "posted" : "sent",
                message.message, static_cast<unsigned long long>(message.wParam),
                static_cast<unsigned long long>(message.lParam));
  return line;
}

std::string Line(const ExpectedMessage& message) {
  char line[160];
  const char* how = (message.flags & kPosted) ? "posted" : (message.flags & kSent) ? "sent" : "any";
  std::snprintf(line, sizeof line, "%s %#06x", how, message.message);
  std::string text = line;
  if (message.flags & kWParam) text += " wParam=" + std::to_string(message.wParam);
  if (message.flags & kLParam) text += " lParam=" + std::to_string(message.lParam);
  if (message.flags & kOptional) text += " (optional)";
  return text;
}

bool Matches(const RecordedMessage& actual, const ExpectedMessage& expected) {
  if (actual.message != expected.message) return false;
  if ((expected.flags & kPosted) && !actual.posted) return false;
  if ((expected.flags & kSent) && actual.posted) return false;
  if ((expected.flags & kWParam) && actual.wParam != expected.wParam) return false;
  if ((expected.flags & kLParam) && actual.lParam != expected.lParam) return false;
  return true;
}

}  // namespace

MessageRecorder::MessageRecorder() : ignored_(std::begin(kNoise), std::end(kNoise)) {
  observer_ = [this](const MSG& message, bool posted) {
    if (!watched_.count(message.hwnd) || ignored_.count(message.message)) return;
    messages_.push_back(
        RecordedMessage{message.hwnd, message.message, message.wParam, message.lParam, posted});
  };
  auto& manager = ui::WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  manager.observers.push_back(&observer_);
  manager.observerCount = manager.observers.size();
}

MessageRecorder::~MessageRecorder() {
  auto& manager = ui::WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  std::erase(manager.observers, &observer_);
  manager.observerCount = manager.observers.size();
}

void MessageRecorder::Watch(HWND window) {
  watched_.insert(window);
}

void MessageRecorder::Ignore(UINT message) {
  ignored_.insert(message);
}

std::vector<RecordedMessage> MessageRecorder::MessagesTo(HWND window) const {
  std::vector<RecordedMessage> to;
  std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(to),
               [window](const RecordedMessage& message) { return message.window == window; });
  return to;
}

std::string DescribeMessages(const std::vector<RecordedMessage>& messages) {
  std::string text;
  for (const auto& message : messages) text += "  " + Line(message) + "\n";
  return text;
}

std::string CompareMessages(const std::vector<RecordedMessage>& actual,
                            const std::vector<ExpectedMessage>& expected) {
  size_t a = 0;
  std::string difference;
  for (size_t e = 0; e < expected.size() && difference.empty(); ++e) {
    if (a < actual.size() && Matches(actual[a], expected[e])) {
      ++a;
    } else if (!(expected[e].flags & kOptional)) {
      difference = "message " + std::to_string(a) + ": expected " + Line(expected[e]) + ", got " +
                   (a < actual.size() ? Line(actual[a]) : std::string("nothing"));
    }
  }
  if (difference.empty() && a < actual.size())
    difference = "unexpected message " + std::to_string(a) + ": " + Line(actual[a]);
  if (difference.empty()) return {};
  std::string expectedText;
  for (const auto& message : expected) expectedText += "  " + Line(message) + "\n";
  return difference + "\nexpected:\n" + expectedText + "actual:\n" + DescribeMessages(actual);
}

}  // namespace platform
