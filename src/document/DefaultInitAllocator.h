#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace taskwell {

// An allocator whose containers make their elements without a value where none is given: a
// vector of plain records grown by resize(n) leaves its new elements unwritten, so room made
// ahead of a fill costs no memory until it is filled.
template <class T>
class DefaultInitAllocator : public std::allocator<T> {
 public:
  template <class U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };

  DefaultInitAllocator() = default;
  // Rebinding converts one to another, as for std::allocator.
  template <class U>
  DefaultInitAllocator(const DefaultInitAllocator<U>& /*other*/) noexcept {
  }  // NOLINT(google-explicit-constructor)

  template <class U>
  void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(at)) U;
  }
  template <class U, class... Args>
  void construct(U* at, Args&&... args) {
    std::construct_at(at, std::forward<Args>(args)...);
  }
};

}  // namespace taskwell
