#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Which category icons changed since the host last looked, for the host's two views that show them:
// view 1 (appointments) and view 3 (tasks). Change indexes -1, -2 and -3 are the special categories,
// 0 to 1023 the categories by their index.
namespace calyra {

class CategoryChangeFlags {
 public:
  static constexpr int kAppointmentView = 1;
  static constexpr int kTaskView = 3;

  // Marks the change in both views; an index outside -3 to 1023 marks nothing.
  void Mark(int changeIndex);
  // Whether the change is marked for the view (other views have none); `clear` clears it.
  bool IsChanged(int view, int changeIndex, bool clear);
  // Whether anything at all is marked in either view.
  bool Any() const;

 private:
  struct View {
    uint8_t specials = 0;  // 1: index -1, 2: -2, 4: -3
    std::array<uint8_t, 128> bits{};
  };
  View* ViewOf(int view);

  View appointments_;
  View tasks_;
};

}  // namespace calyra
