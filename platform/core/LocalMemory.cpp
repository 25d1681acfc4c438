#include "platform/core/LocalMemory.h"

#include <cstdlib>
#include <cstring>

#include "platform/core/LastError.h"

namespace {
// Each block carries its size in front so that LocalSize and LocalReAlloc know it.
struct alignas(std::max_align_t) BlockHeader {
  size_t size;
  uint32_t magic;
};
constexpr uint32_t kBlockMagic = 0x4C4D454D;  // "LMEM"

BlockHeader* HeaderOf(HLOCAL memory) {
  if (memory == nullptr) return nullptr;
  auto* header = static_cast<BlockHeader*>(memory) - 1;
  return header->magic == kBlockMagic ? header : nullptr;
}
}  // namespace

HLOCAL LocalAlloc(UINT flags, size_t bytes) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
  if (header == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  header->size = bytes;
  header->magic = kBlockMagic;
  if (flags & LMEM_ZEROINIT) std::memset(header + 1, 0, bytes);
  return header + 1;
}

HLOCAL LocalReAlloc(HLOCAL memory, size_t bytes, UINT flags) {
  BlockHeader* header = HeaderOf(memory);
  if (header == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  size_t oldSize = header->size;
  auto* grown = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + bytes));
  if (grown == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  grown->size = bytes;
  if ((flags & LMEM_ZEROINIT) && bytes > oldSize) {
    std::memset(reinterpret_cast<BYTE*>(grown + 1) + oldSize, 0, bytes - oldSize);
  }
  return grown + 1;
}

size_t LocalSize(HLOCAL memory) {
  BlockHeader* header = HeaderOf(memory);
  return header ? header->size : 0;
}

HLOCAL LocalFree(HLOCAL memory) {
  if (memory == nullptr) return nullptr;
  BlockHeader* header = HeaderOf(memory);
  if (header == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return memory;
  }
  header->magic = 0;
  std::free(header);
  return nullptr;
}
