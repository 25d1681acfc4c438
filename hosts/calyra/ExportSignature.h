#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

#include "CalyraEditor.h"

namespace calyra::host {

// What the command line writes for one parameter of an export.
enum class ParamKind {
  kInt,         // int, BOOL, LONG: a 32-bit number
  kUint,        // DWORD, UINT, CEOID: a 32-bit number
  kWord,        // WORD: a 16-bit number
  kWide,        // WPARAM, LPARAM: a pointer-wide number
  kHandle,      // HWND, HINSTANCE: `host`, `resources`, `null` or a number
  kTime,        // SYSTEMTIME*: 2026-03-05T09:30, `none` (4501-01-01) or `null`
  kText,        // const WCHAR*: a text, or `null`
  kTextBuffer,  // WCHAR* the export writes: `&text`, a text to start from, or `null`
  kOutInt,      // DWORD* or CEOID* the export writes: `&int` or `null`
  kOutBuffer,   // WCHAR** the export fills with a buffer of its own: `&buffer` or `null`
  kCategories,  // const WORD*: [3,7], padded with zeros to CALYRA_MAX_NEW_CATEGORIES, or `null`
  kRecord,      // any other record (options, MSG, RECT, ...): only `null`
};

// What the export answers.
enum class ResultKind {
  kNone,    // void
  kInt,     // int
  kOid,     // CEOID
  kHandle,  // a handle or pointer, printed in hex
};

// Whether the export does its work yet, or still answers its failure value (docs/EXPORTS.md).
enum class Availability { kBuilt, kPending };

// One argument as the call passes it: a number, or a pointer into storage the caller keeps.
struct CallArgument {
  int64_t number = 0;
  void* pointer = nullptr;
};

using ExportInvoker = int64_t (*)(void* symbol, std::span<const CallArgument> arguments);

// A row of the export table: the name without the CalyraEditor_ prefix, the symbol to look up, the
// parameter and result kinds, and the call made through the export's own declared type.
struct ExportRow {
  const char* name;
  const char* symbol;
  std::span<const ParamKind> params;
  ResultKind result;
  Availability availability;
  ExportInvoker invoke;
};

namespace detail {

// Whether a parameter of C++ type T can be written as `kind`; the table is checked against the
// declarations of CalyraEditor.h when it compiles.
template <class T>
constexpr bool Fits(ParamKind kind) {
  switch (kind) {
    case ParamKind::kInt:
      return std::is_same_v<T, int32_t>;
    case ParamKind::kUint:
      return std::is_same_v<T, uint32_t>;
    case ParamKind::kWord:
      return std::is_same_v<T, uint16_t>;
    case ParamKind::kWide:
      return std::is_same_v<T, WPARAM> || std::is_same_v<T, LPARAM>;
    case ParamKind::kHandle:
      return std::is_same_v<T, HWND> || std::is_same_v<T, HINSTANCE>;
    case ParamKind::kTime:
      return std::is_same_v<T, const SYSTEMTIME*> || std::is_same_v<T, SYSTEMTIME*>;
    case ParamKind::kText:
      return std::is_same_v<T, const WCHAR*>;
    case ParamKind::kTextBuffer:
      return std::is_same_v<T, WCHAR*>;
    case ParamKind::kOutInt:
      return std::is_same_v<T, uint32_t*>;
    case ParamKind::kOutBuffer:
      return std::is_same_v<T, WCHAR**>;
    case ParamKind::kCategories:
      return std::is_same_v<T, const WORD*>;
    case ParamKind::kRecord:
      return std::is_pointer_v<T>;
  }
  return false;
}

template <class R>
constexpr bool Fits(ResultKind kind) {
  switch (kind) {
    case ResultKind::kNone:
      return std::is_void_v<R>;
    case ResultKind::kInt:
      return std::is_same_v<R, int32_t>;
    case ResultKind::kOid:
      return std::is_same_v<R, CEOID>;
    case ResultKind::kHandle:
      return std::is_pointer_v<R>;
  }
  return false;
}

template <class T>
T Convert(const CallArgument& argument) {
  if constexpr (std::is_pointer_v<T>) {
    return static_cast<T>(argument.pointer);
  } else {
    return static_cast<T>(argument.number);
  }
}

template <class F, ParamKind... kKinds>
struct Shape;

// The call of one export through its exact declared type, so no export needs a wrapper of its own.
template <class R, class... A, ParamKind... kKinds>
struct Shape<R(A...), kKinds...> {
  static_assert(sizeof...(A) == sizeof...(kKinds), "a kind for every parameter");
  static_assert((Fits<A>(kKinds) && ...), "each kind fits its parameter's type");
  static constexpr std::array<ParamKind, sizeof...(kKinds)> kParams{kKinds...};

  static int64_t Invoke(void* symbol, std::span<const CallArgument> arguments) {
    return Call(reinterpret_cast<R (*)(A...)>(symbol), arguments, std::index_sequence_for<A...>());
  }

 private:
  template <size_t... I>
  static int64_t Call(R (*function)(A...), std::span<const CallArgument> arguments,
                      std::index_sequence<I...>) {
    if constexpr (std::is_void_v<R>) {
      function(Convert<A>(arguments[I])...);
      return 0;
    } else if constexpr (std::is_pointer_v<R>) {
      return static_cast<int64_t>(reinterpret_cast<uintptr_t>(function(Convert<A>(arguments[I])...)));
    } else {
      return static_cast<int64_t>(function(Convert<A>(arguments[I])...));
    }
  }
};

template <class F>
struct ResultOf;
template <class R, class... A>
struct ResultOf<R(A...)> {
  using Type = R;
};

}  // namespace detail

// A table row for the export of type F (decltype of its declaration) under `name`.
template <class F, ParamKind... kKinds>
constexpr ExportRow Row(const char* name, const char* symbol, ResultKind result, Availability availability) {
  using Signature = detail::Shape<F, kKinds...>;
  // Checked where the row is made, for every row of the table.
  if (!detail::Fits<typename detail::ResultOf<F>::Type>(result)) throw "the result kind does not fit";
  return ExportRow{name, symbol, Signature::kParams, result, availability, &Signature::Invoke};
}

}  // namespace calyra::host
