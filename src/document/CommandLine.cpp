#include "document/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace taskwell {
namespace {

// The print dialog takes day windows up to 999 days; the listing takes the same.
constexpr int kMaxDueDays = 999;

CommandLine Failure(std::string text) {
  CommandLine line;
  line.What = CommandLine::Action::Error;
  line.ErrorText = std::move(text);
  return line;
}

bool ParseDays(std::string_view text, int& days) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, days);
  return ec == std::errc() && ptr == end && days >= 0 && days <= kMaxDueDays;
}

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool due = false;
  bool remind = false;
  std::size_t i = 0;
  for (; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--") {
      ++i;
      break;
    }
    // A lone "-" is a file name like any other; only "-x" and "--x" are options.
    if (arg.size() < 2 || arg[0] != '-') break;
    if (arg == "-h" || arg == "--help") {
      line.What = Action::Help;
      return line;
    }
    if (arg == "--version") {
      line.What = Action::Version;
      return line;
    }
    if (arg == "--due" || arg.starts_with("--due=")) {
      std::string value;
      if (arg == "--due") {
        if (i + 1 >= arguments.size()) return Failure("--due needs a number of days");
        value = arguments[++i];
      } else {
        value = arg.substr(6);
      }
      if (!ParseDays(value, line.DueDays)) {
        return Failure("--due needs a whole number of days from 0 to 999, not '" + value + "'");
      }
      due = true;
      continue;
    }
    if (arg == "--remind") {
      remind = true;
      continue;
    }
    return Failure("unknown option '" + arg +
                   "' (taskwell --help lists the options; use -- before a file name that starts "
                   "with -)");
  }
  if (i < arguments.size()) line.File = arguments[i];
  if (due && remind) return Failure("--due and --remind cannot be used together");
  if (due) line.What = Action::DueListing;
  if (remind) line.What = Action::Remind;
  return line;
}

CommandLine CommandLine::Parse(int argc, const char* const* argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return Parse(arguments);
}

std::string UsageText() {
  return "Usage: taskwell [OPTION]... [--] [FILE]\n"
         "Edit the to-do list in FILE (default: $HOME/ToDo.ToDo) in a window.\n"
         "\n"
         "  --due DAYS     print the tasks due from today to DAYS days ahead, and undated\n"
         "                 tasks whose priority is 0 to DAYS, as the Print button would\n"
         "                 print them; needs no display and never changes the file\n"
         "  --remind       show what is overdue and due today as one desktop\n"
         "                 notification; needs only the session bus, never changes the file\n"
         "  -h, --help     print this help and exit\n"
         "      --version  print the version and exit\n"
         "  --             end of options: the next argument is the file, even if it\n"
         "                 starts with -\n"
         "\n"
         "Exit status: 0 on success, 1 when the file cannot be read, the window cannot\n"
         "open or no notification could be shown, 2 for an unknown option.\n";
}

std::string VersionText() {
  return "Taskwell 3.4\n";
}

std::string MissingDisplayReason(const char* qtPlatform, const char* x11Display,
                                 const char* waylandDisplay) {
  // Qt itself would abort with a message about plugins; say instead which variable is missing.
  const std::string_view platforms = IsSet(qtPlatform) ? qtPlatform : "";
  if (platforms.empty()) {
    if (IsSet(x11Display) || IsSet(waylandDisplay)) return {};
    return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
  }
  // A list such as "wayland;xcb" is tried in order; one usable entry is enough.
  std::size_t start = 0;
  while (start <= platforms.size()) {
    const std::size_t end = std::min(platforms.find(';', start), platforms.size());
    const std::string_view platform = platforms.substr(start, end - start);
    const bool usable = platform.starts_with("xcb")       ? IsSet(x11Display)
                        : platform.starts_with("wayland") ? IsSet(waylandDisplay)
                                                          : true;
    if (usable) return {};
    start = end + 1;
  }
  return "no display: QT_QPA_PLATFORM is '" + std::string(platforms) +
         "' but DISPLAY or WAYLAND_DISPLAY is not set";
}

}  // namespace taskwell
