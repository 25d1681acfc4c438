#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/WindowTypes.h"

namespace platform {

// A message that reached a watched window: sent (the window procedure was called at once) or
// posted (queued; recorded when it was posted).
struct RecordedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool posted;
};

// Flags of an expected message: how it must have arrived, which parameters are compared, and
// whether it may be missing.
enum ExpectedFlags : unsigned {
  kSent = 1,
  kPosted = 2,
  kWParam = 4,
  kLParam = 8,
  kOptional = 16,
};

struct ExpectedMessage {
  UINT message;
  unsigned flags;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Records what is sent and posted to the windows it watches, from its creation to its end, leaving
// out noise (paint, text queries, dialog codes, window dumps). It belongs to the window system of the
// device attached when it is made.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  void Watch(HWND window);
  void Ignore(UINT message);
  void Clear() { messages_.clear(); }
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  // What reached one window.
  std::vector<RecordedMessage> MessagesTo(HWND window) const;

 private:
  std::set<HWND> watched_;
  std::set<UINT> ignored_;
  std::vector<RecordedMessage> messages_;
  std::function<void(const MSG&, bool)> observer_;
};

// Empty when `actual` matches `expected` in order; otherwise the first difference and then both
// whole sequences, one message a line.
std::string CompareMessages(const std::vector<RecordedMessage>& actual,
                            const std::vector<ExpectedMessage>& expected);
std::string DescribeMessages(const std::vector<RecordedMessage>& messages);

}  // namespace platform
