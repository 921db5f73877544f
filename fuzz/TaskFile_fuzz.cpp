// Any file loads into the table (or fails cleanly), and what is saved from it loads back and saves
// to the very same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "document/Calendar.h"
#include "document/ToDoList.h"
#include "support/QuietPlatform.h"

namespace taskwell {
namespace {

using testing::QuietPlatform;

std::string Folder() {
  static const std::string folder = [] {
    // Memory-backed where possible: every save syncs its file to disk.
    std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/taskwell-fuzz-XXXXXX"
                                                          : "/tmp/taskwell-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Loads the task file into a fresh list and saves it again; gives the saved bytes.
std::string LoadAndSave(const std::string& path, const DateFormat& dates) {
  QuietPlatform ui;
  ToDoList list(ui, dates);
  list.TaskFileName = path;
  try {
    list.InitTaskTable();
  } catch (const std::exception&) {
    // A failed load still leaves a table to save.
  }
  if (list.Grid.RowCount() < 2 || !list.SelectHooked) std::abort();
  list.SaveTaskFile();
  return ReadAll(path);
}

// Under the classic settings, and under day-month-year ones with "." dates and a decimal comma.
const DateFormat& Settings(bool german) {
  static const FixedClock clock(EncodeDate(2026, 6, 10) + 0.375);
  static const DateFormat classic({}, clock);
  static const DateFormat dayFirst(
      [] {
        RegionalSettings settings;
        settings.DateSeparator = '.';
        settings.ShortDateFormat = "dd/mm/yyyy";
        settings.DecimalSeparator = ',';
        return settings;
      }(),
      clock);
  return german ? dayFirst : classic;
}

}  // namespace
}  // namespace taskwell

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace taskwell;
  const std::string path = Folder() + "/List.todo";
  for (const bool german : {false, true}) {
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::string first = LoadAndSave(path, Settings(german));
    const std::string second = LoadAndSave(path, Settings(german));
    if (first != second) {
      std::fprintf(stderr, "first save:\n%s\nsecond save:\n%s\n", first.c_str(), second.c_str());
      std::abort();
    }
    std::remove((path + ".bak").c_str());
  }
  return 0;
}
