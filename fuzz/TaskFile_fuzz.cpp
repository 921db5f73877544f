// Any file loads into the table (or fails cleanly), what is saved from it loads back and saves to
// the very same bytes, and no text of an input line is lost unless the load said so and the
// original was kept as the backup.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "document/Calendar.h"
#include "document/TableLayout.h"
#include "document/TaskFile.h"
#include "document/Text.h"

namespace taskwell {
namespace {

std::string Folder() {
  static const std::string folder = [] {
    // Memory-backed where possible: every save syncs its file to disk.
    std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/taskwell-fuzz-XXXXXX"
                                                          : "/tmp/taskwell-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  // Gone again when the run ends, with the files saved in it; registered after the name is
  // made, so that it runs before the name goes.
  static const bool removedAtExit = std::atexit([] {
                                      std::error_code ignored;
                                      std::filesystem::remove_all(Folder(), ignored);
                                    }) == 0;
  (void)removedAtExit;
  return folder;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

[[noreturn]] void Fail(const char* what, std::string_view detail) {
  std::fprintf(stderr, "%s\n%.*s\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}

// What a load made of a file, and what the save after it wrote.
struct Round {
  bool Partial = false;
  std::vector<std::string> Descriptions;  // one per task row
  std::string Saved;
};

// Loads the task file and saves what was loaded again.
Round LoadAndSave(const std::string& path, const DateFormat& dates) {
  TaskFile file(dates, path);
  LoadedRows loaded;
  try {
    file.Load(loaded);
  } catch (const std::exception&) {
    // A failed load still leaves rows to save.
  }
  Round round;
  round.Partial = file.LoadWasPartial();
  const auto descCol = static_cast<std::size_t>(TableLayout(loaded.HasProjCol).DescCol());
  for (std::size_t r = 1; r < loaded.Rows.size(); ++r) {
    round.Descriptions.emplace_back(loaded.Rows[r][descCol]);
  }
  try {
    file.Save(file.SaveBytes(loaded.Rows, loaded.HasProjCol));
  } catch (const std::exception& e) {
    Fail("a loaded file was not saved", e.what());
  }
  round.Saved = ReadAll(path);
  return round;
}

// The lines of a file as the program should read them, worked out here on its own: after a
// byte-order mark, up to a Ctrl+Z, split at LF (less a CR before it), or at CR in a file without
// any LF.
std::vector<std::string> InputLines(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  bytes = bytes.substr(0, bytes.find('\x1A'));
  const char end = bytes.find('\n') == std::string_view::npos ? '\r' : '\n';
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t at = bytes.find(end);
    std::string_view line = bytes.substr(0, at);
    if (end == '\n' && line.ends_with('\r')) line.remove_suffix(1);
    // A CR that ends an LF file is no text either.
    if (at == std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    bytes = at == std::string_view::npos ? std::string_view() : bytes.substr(at + 1);
  }
  return lines;
}

// Characters that only number and date fields, quoting and separators account for; anything else
// in a task line is text the description must hold.
bool MayVanish(char c) {
  return static_cast<unsigned char>(c) <= 32 ||
         std::string_view("0123456789+-.,/eE\"").find(c) != std::string_view::npos;
}

// Every text character of each task line appears, in order, in its task's description.
void RequireNothingLost(const std::string& input, const Round& round, const DateFormat& dates) {
  const std::vector<std::string> lines = InputLines(input);
  if (lines.empty()) return;
  // The header, after a marker line when the file starts with one.
  CsvFile csv(dates);
  csv.Line = lines[0];
  const std::size_t headerLines = UpperAscii(csv.ReadField()) == "PROJECT" ? 2 : 1;
  if (lines.size() <= headerLines) return;
  if (lines.size() - headerLines != round.Descriptions.size()) {
    Fail("a line gave no task row, or one too many", input);
  }
  for (std::size_t k = 0; k < round.Descriptions.size(); ++k) {
    const std::string& line = lines[headerLines + k];
    const std::string& description = round.Descriptions[k];
    std::size_t at = 0;
    for (const char c : line) {
      if (MayVanish(c)) continue;
      at = description.find(c, at);
      if (at == std::string::npos) Fail("text of a line was lost without a report", line);
      ++at;
    }
  }
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
  const std::string backup = path + ".bak";
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (const bool german : {false, true}) {
    std::remove(backup.c_str());
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out << input;
    }
    const Round first = LoadAndSave(path, Settings(german));
    if (first.Partial) {
      if (ReadAll(backup) != input) Fail("a reported load did not keep the original", input);
    } else {
      RequireNothingLost(input, first, Settings(german));
    }
    const Round second = LoadAndSave(path, Settings(german));
    if (second.Partial) Fail("a file the program wrote does not load whole", first.Saved);
    if (first.Saved != second.Saved) Fail("the second save differs", second.Saved);
    // The save keeps every description that is more than blanks.
    std::vector<std::string> kept;
    for (const std::string& description : first.Descriptions) {
      if (!TrimBlanksView(description).empty()) kept.push_back(description);
    }
    if (second.Descriptions.size() == kept.size() + 1 && second.Descriptions.back().empty()) {
      kept.emplace_back();  // the empty row of a table without tasks
    }
    if (second.Descriptions != kept) Fail("a saved description changed", first.Saved);
  }
  std::remove(backup.c_str());
  return 0;
}
