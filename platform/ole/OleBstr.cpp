// BSTR: [uint32 byte length][UTF-16 text][terminating zero], the pointer at the text.
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/ole/OleMemoryMeter.h"
#include "platform/ole/OleVariant.h"

namespace {

constexpr size_t kPrefix = sizeof(uint32_t);
// The byte length must fit the 32-bit prefix together with the terminator.
constexpr size_t kMaxBytes = std::numeric_limits<uint32_t>::max() - kPrefix - 2 * sizeof(OLECHAR);

char* blockOf(BSTR b) { return reinterpret_cast<char*>(b) - kPrefix; }

// Small strings come and go at every host call (arguments, results, literals pushed by the
// machine). Each thread keeps a few freed small blocks per size class and serves them again
// without the allocator. Class k holds blocks of at least 16 * (k + 1) usable bytes. Off under
// AddressSanitizer, which must see every free.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCacheBlocks = false;
#else
constexpr bool kCacheBlocks = true;
#endif
constexpr size_t kClassBytes = 16, kClasses = 4, kDepth = 16;
constexpr size_t kLargestCached = kClassBytes * (kClasses + 1);

// Trivially destructible, so that reaching it costs no initialisation check; the blocks are
// freed by a cleanup object made when the thread first gives a block back.
struct BlockCache {
  void* blocks[kClasses][kDepth];
  size_t counts[kClasses];
};
thread_local BlockCache tCache;
thread_local bool tCacheLive = false;  // the cleanup is installed
thread_local bool tCacheGone = false;  // the thread is ending: blocks go to the allocator

struct CacheCleanup {
  ~CacheCleanup() {
    tCacheGone = true;
    for (size_t k = 0; k < kClasses; ++k) {
      for (size_t i = 0; i < tCache.counts[k]; ++i) std::free(tCache.blocks[k][i]);
      tCache.counts[k] = 0;
    }
  }
};

void installCacheCleanup() {
  static thread_local CacheCleanup cleanup;
  (void)cleanup;
  tCacheLive = true;
}

char* takeBlock(size_t size) {
  if (kCacheBlocks && size <= kClassBytes * kClasses) {
    const size_t k = (size + kClassBytes - 1) / kClassBytes - 1;
    if (tCache.counts[k]) return static_cast<char*>(tCache.blocks[k][--tCache.counts[k]]);
    // A miss allocates the class's full size, so the block can serve any string of it.
    return static_cast<char*>(std::malloc((k + 1) * kClassBytes));
  }
  return static_cast<char*>(std::malloc(size));
}

void giveBlock(char* block) {
  if (kCacheBlocks && !tCacheGone) {
    const size_t usable = malloc_usable_size(block);
    if (usable >= kClassBytes && usable <= kLargestCached) {
      const size_t k = std::min(usable / kClassBytes, kClasses) - 1;
      if (tCache.counts[k] < kDepth) {
        if (!tCacheLive) [[unlikely]]
          installCacheCleanup();
        tCache.blocks[k][tCache.counts[k]++] = block;
        return;
      }
    }
  }
  std::free(block);
}

// Allocates a BSTR of `bytes` bytes whose text is copied from `src` when given.
BSTR allocBytes(const void* src, size_t bytes) {
  if (bytes > kMaxBytes || !OleMemoryCharge(int64_t(bytes))) return nullptr;
  // Two terminating zero bytes more than needed, so an odd byte length still ends in a
  // zero OLECHAR.
  char* block = takeBlock(kPrefix + bytes + 2 * sizeof(OLECHAR));
  if (!block) {
    OleMemoryCharge(-int64_t(bytes));
    return nullptr;
  }
  uint32_t len = static_cast<uint32_t>(bytes);
  std::memcpy(block, &len, kPrefix);
  char* text = block + kPrefix;
  if (src) std::memcpy(text, src, bytes);
  std::memset(text + bytes, 0, 2 * sizeof(OLECHAR));
  return reinterpret_cast<BSTR>(text);
}

size_t olestrLen(const OLECHAR* s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

// Replaces *pbstr with a new string; the source may lie inside the old one.
INT reallocWith(BSTR* pbstr, const OLECHAR* psz, size_t len) {
  if (!pbstr) return 0;
  BSTR fresh = allocBytes(psz, len * sizeof(OLECHAR));
  if (!fresh) return 0;
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return 1;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
  if (!psz) return nullptr;
  return allocBytes(psz, olestrLen(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  return allocBytes(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* psz, UINT len) { return allocBytes(psz, len); }

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
  return reallocWith(pbstr, psz, psz ? olestrLen(psz) : 0);
}

INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  return reallocWith(pbstr, psz, len);
}

INT OleBstrAssignBytes(BSTR* pbstr, const char* psz, UINT len) {
  if (!pbstr || len > kMaxBytes) return 0;
  const size_t need = kPrefix + len + 2 * sizeof(OLECHAR);
  if (*pbstr) {
    char* block = blockOf(*pbstr);
    const size_t usable = malloc_usable_size(block);
    // A block much larger than the text would hold memory for as long as the value lives.
    if (usable >= need && usable <= 2 * need + kLargestCached) {
      if (!OleMemoryCharge(int64_t(len) - int64_t(SysStringByteLen(*pbstr)))) return 0;
      char* text = block + kPrefix;
      if (len) std::memmove(text, psz, len);
      const uint32_t len32 = len;
      std::memcpy(block, &len32, kPrefix);
      std::memset(text + len, 0, 2 * sizeof(OLECHAR));
      return 1;
    }
  }
  BSTR fresh = allocBytes(psz, len);
  if (!fresh) return 0;
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return 1;
}

INT OleBstrAppend(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  if (!pbstr) return 0;
  const size_t add = static_cast<size_t>(len) * sizeof(OLECHAR);
  if (!*pbstr) {
    *pbstr = allocBytes(psz, add);
    return *pbstr != nullptr;
  }
  const size_t oldBytes = SysStringByteLen(*pbstr);
  if (add > kMaxBytes - oldBytes) return 0;
  if (!OleMemoryCharge(int64_t(add))) return 0;
  const size_t newBytes = oldBytes + add;
  const size_t need = kPrefix + newBytes + 2 * sizeof(OLECHAR);
  char* block = blockOf(*pbstr);
  if (malloc_usable_size(block) < need) {
    // The source may lie in the block that is about to move.
    const char* oldText = reinterpret_cast<const char*>(*pbstr);
    const char* src = reinterpret_cast<const char*>(psz);
    const bool inside = src && src >= oldText && src < oldText + oldBytes;
    const size_t srcOffset = inside ? size_t(src - oldText) : 0;
    const size_t grown =
        std::max(need, std::min(need + need / 2, kPrefix + kMaxBytes + 2 * sizeof(OLECHAR)));
    char* moved = static_cast<char*>(std::realloc(block, grown));
    if (!moved) {
      OleMemoryCharge(-int64_t(add));
      return 0;
    }
    block = moved;
    *pbstr = reinterpret_cast<BSTR>(block + kPrefix);
    if (inside) psz = reinterpret_cast<const OLECHAR*>(block + kPrefix + srcOffset);
  }
  char* text = block + kPrefix;
  if (add) std::memmove(text + oldBytes, psz, add);
  const uint32_t len32 = static_cast<uint32_t>(newBytes);
  std::memcpy(block, &len32, kPrefix);
  std::memset(text + newBytes, 0, 2 * sizeof(OLECHAR));
  return 1;
}

void SysFreeString(BSTR bstrString) {
  if (!bstrString) return;
  OleMemoryCharge(-int64_t(SysStringByteLen(bstrString)));
  giveBlock(blockOf(bstrString));
}

UINT SysStringByteLen(BSTR bstr) {
  if (!bstr) return 0;
  uint32_t len;
  std::memcpy(&len, blockOf(bstr), kPrefix);
  return len;
}

UINT SysStringLen(BSTR pbstr) { return SysStringByteLen(pbstr) / sizeof(OLECHAR); }

BSTR OleAllocBstr(std::u16string_view text) {
  if (text.size() > kMaxBytes / sizeof(OLECHAR)) return nullptr;
  return allocBytes(text.data(), text.size() * sizeof(OLECHAR));
}
