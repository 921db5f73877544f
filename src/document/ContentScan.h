#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace taskwell {

// What reading a task file's lines needs to know of its bytes first, gathered as the bytes come
// in, a stretch at a time while each is still in the cache, instead of in a pass over the whole
// file for each: where the first Ctrl+Z lies, how far the text is UTF-8, and how many LFs lie
// before each stretch, so that the lines between two places are counted without reading them.
class ContentScan {
 public:
  // The scan of these bytes, all come.
  static ContentScan Of(std::string_view bytes) {
    ContentScan scan;
    scan.Scan(bytes, true);
    return scan;
  }
  // The bytes so far, the ones given before unchanged; `complete` once no more are to come.
  void Scan(std::string_view bytes, bool complete);
  // Where the first Ctrl+Z lies, or npos.
  std::size_t FirstCtrlZ() const { return ctrlZ_; }
  // Whether the bytes before `end` are all UTF-8, once the scan is complete.
  bool Utf8Before(std::size_t end) const { return utf8Bad_ >= end; }
  // The LFs in bytes[from, to), of the bytes scanned.
  std::size_t CountLf(std::string_view bytes, std::size_t from, std::size_t to) const;

 private:
  static constexpr std::size_t kStretch = std::size_t{64} << 10;
  // The LFs before `at`.
  std::size_t LfBefore(std::string_view bytes, std::size_t at) const;

  // The whole stretches whose LFs are counted, and the bytes looked at for a Ctrl+Z.
  std::size_t scanned_ = 0;
  // Where the UTF-8 check goes on, and the first byte that is not UTF-8.
  std::size_t utf8At_ = 0;
  std::size_t utf8Bad_ = std::string::npos;
  std::size_t ctrlZ_ = std::string::npos;
  // lfBefore_[k]: the LFs before stretch k.
  std::vector<std::size_t> lfBefore_{0};
};

}  // namespace taskwell
