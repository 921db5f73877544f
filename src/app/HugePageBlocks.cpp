// The program's operator new and delete: blocks of 1 MB and more are mapped on their own, aligned
// to 2 MB and advised to be backed by huge pages.
//
// A large list's blocks (its text, its cells, its rows, a sort's order) are megabytes each,
// written once from end to end soon after they are allocated. Each 4 KB page of such a block
// costs the kernel a fault the first time it is written; under a virtual machine that shadows
// the page tables a fault costs microseconds, and a million-task start took 55,000 of them. A
// huge page faults once per 2 MB, but only where a whole aligned 2 MB lies within the mapping,
// which the allocator's own mappings of a few megabytes seldom offer; hence the alignment.
// Smaller blocks go to the allocator as before.
//
// The address sanitizer brings its own operator new and delete; under it these are left out.

#include <sys/mman.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define TASKWELL_OWN_NEW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TASKWELL_OWN_NEW 0
#endif
#endif
#ifndef TASKWELL_OWN_NEW
#define TASKWELL_OWN_NEW 1
#endif

#if TASKWELL_OWN_NEW

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
constexpr std::uintptr_t kSmallPage = 4096;
// From the size at which the allocator, as main() sets it up, would map a block on its own.
constexpr std::size_t kMapFrom = std::size_t{1} << 20;
// Beyond this a request is left to fail in the allocator, not to wrap around in the rounding.
constexpr std::size_t kLargest = std::size_t{1} << 46;

// The mappings handed out and their lengths, so that delete tells them from the allocator's
// blocks for certain. Nothing is written into a block until its user writes it: a block reserved
// ahead takes no memory for the room it does not use.
class HugeMappings {
 public:
  bool Add(void* base, std::size_t length) {
    const std::lock_guard<std::mutex> hold(mutex_);
    for (Slot& slot : slots_) {
      if (slot.Base == nullptr) {
        slot = Slot{base, length};
        return true;
      }
    }
    return false;
  }

  // The mapping's length, and it is no longer kept; 0 when base is not one of these mappings.
  std::size_t Remove(const void* base) {
    const std::lock_guard<std::mutex> hold(mutex_);
    for (Slot& slot : slots_) {
      if (slot.Base == base) {
        slot.Base = nullptr;
        return slot.Length;
      }
    }
    return 0;
  }

 private:
  struct Slot {
    void* Base = nullptr;
    std::size_t Length = 0;
  };
  std::mutex mutex_;
  std::array<Slot, 512> slots_{};
};

constinit HugeMappings mappings;

std::uintptr_t RoundUp(std::uintptr_t value, std::uintptr_t step) {
  return (value + step - 1) & ~(step - 1);
}

// A block of a few megabytes ends on a whole huge page too: the start of a list of 100,000 tasks,
// made of such blocks, would otherwise fault a small page at a time through the second half of
// each. A larger block's partly used last 2 MB stays in small pages, so that a million-task list,
// with dozens of blocks, takes no memory it does not write.
std::uintptr_t MappedLength(std::size_t size) {
  constexpr std::size_t kWholeBelow = std::size_t{8} << 20;
  return RoundUp(size, size < kWholeBelow ? kHugePage : kSmallPage);
}

// A mapping of at least size bytes starting on a 2 MB boundary; null when none is to be had, and
// the allocator is asked instead.
void* MapAligned(std::size_t size) {
  const std::uintptr_t length = MappedLength(size);
  void* wide =
      mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (wide == MAP_FAILED) return nullptr;
  const auto from = reinterpret_cast<std::uintptr_t>(wide);
  const std::uintptr_t skip = RoundUp(from, kHugePage) - from;
  char* mapping = static_cast<char*>(wide) + skip;
  if (skip > 0) munmap(wide, skip);
  munmap(mapping + length, kHugePage - skip);
  if (!mappings.Add(mapping, length)) {
    munmap(mapping, length);
    return nullptr;
  }
  // Only advice: where the kernel has no huge pages to give, the block is used as it is.
  madvise(mapping, length, MADV_HUGEPAGE);
  return mapping;
}

}  // namespace

void* operator new(std::size_t size) {
  if (size >= kMapFrom && size <= kLargest) {
    if (void* block = MapAligned(size)) return block;
  }
  for (;;) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void operator delete(void* block) noexcept {
  // The allocator's blocks seldom start on a 2 MB boundary; those that do are looked up too.
  if ((reinterpret_cast<std::uintptr_t>(block) & (kHugePage - 1)) == 0 && block != nullptr) {
    if (const std::size_t length = mappings.Remove(block)) {
      munmap(block, length);
      return;
    }
  }
  std::free(block);
}

void operator delete(void* block, std::size_t /*size*/) noexcept {
  operator delete(block);
}

#endif
