#pragma once

#include <type_traits>

namespace calyra {

// Runs the body of an export: nothing it throws crosses the C boundary, it answers `failure` instead.
template <class Result, class Body>
Result Guarded(Result failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// The same for an export that answers nothing.
template <class Body>
void Guarded(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace calyra
