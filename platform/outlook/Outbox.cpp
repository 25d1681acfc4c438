#include "platform/outlook/Outbox.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/core/System.h"

namespace platform {
namespace {

struct OutboxState : ProcessState {
  std::mutex lock;
  std::vector<OutlookOutboxEntry> entries;
  std::vector<CEOID> infrared;
};

OutboxState& State() {
  return System::Current().State<OutboxState>();
}

}  // namespace

std::vector<OutlookOutboxEntry> ReadOutlookOutbox() {
  auto& state = State();
  std::lock_guard guard(state.lock);
  return state.entries;
}

void ClearOutlookOutbox() {
  auto& state = State();
  std::lock_guard guard(state.lock);
  state.entries.clear();
}

namespace outlook {

void PostToOutbox(OutlookOutboxEntry entry) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  state.entries.push_back(std::move(entry));
}

void AddToInfrared(CEOID oid) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  if (std::find(state.infrared.begin(), state.infrared.end(), oid) == state.infrared.end())
    state.infrared.push_back(oid);
}

std::vector<CEOID> TakeInfrared() {
  auto& state = State();
  std::lock_guard guard(state.lock);
  return std::exchange(state.infrared, {});
}

}  // namespace outlook
}  // namespace platform
