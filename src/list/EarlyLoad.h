#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <thread>

#include "document/DateText.h"
#include "document/TaskFile.h"

namespace taskwell {

// A large task file read on a thread of its own while the toolkit starts and the window is
// built, so that the list is ready about when the window is. The window takes what was read, or
// reads the file itself when nothing was read early (a small, missing or unreadable file).
class EarlyLoad {
 public:
  // Below this size the read takes about a millisecond, less than the thread costs in memory.
  static constexpr std::uintmax_t kWorthwhileSize = std::uintmax_t{256} * 1024;
  // From this many lines on, a second thread reads half of them.
  static constexpr std::size_t kLinesToShareEarly = 200000;
  static constexpr int kReaderNice = 10;

  // Starts reading `name` when it is a file of at least `fromSize` bytes. The dates are the
  // window's, as they are before its load.
  EarlyLoad(const DateFormat& dates, std::string name, std::uintmax_t fromSize = kWorthwhileSize);
  ~EarlyLoad();
  EarlyLoad(const EarlyLoad&) = delete;
  EarlyLoad& operator=(const EarlyLoad&) = delete;

  // Whether this read the file `name` by the same date rules as `dates`, so that taking it gives
  // what a load now would.
  bool Reads(const std::string& name, const DateFormat& dates) const;
  // Waits for the read, then gives `file` the file's encoding, bytes and stamp, and `into` its
  // task rows after `into`'s header row. Throws what stopped the read, as TaskFile::Load does;
  // `into` then holds what was read up to there. Once only.
  void TakeInto(TaskFile& file, LoadedRows& into);

 private:
  DateFormat dates_;
  std::string name_;
  TaskFile file_;
  LoadedRows rows_;
  std::exception_ptr failure_;
  std::thread reader_;
};

}  // namespace taskwell
