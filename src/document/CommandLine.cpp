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

// The value of an option given as "--name value" or "--name=value"; false when it is missing.
bool OptionValue(const std::vector<std::string>& arguments, std::size_t& i, std::string_view name,
                 std::string& value) {
  const std::string& arg = arguments[i];
  if (arg.size() > name.size() && arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= arguments.size()) return false;
  value = arguments[++i];
  return true;
}

bool IsOption(const std::string& arg, std::string_view name) {
  return arg == name ||
         (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=');
}

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool due = false;
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
    if (IsOption(arg, "--export")) {
      if (!OptionValue(arguments, i, "--export", line.ExportFormat) ||
          (line.ExportFormat != "ics" && line.ExportFormat != "todotxt")) {
        return Failure("--export needs a format: ics or todotxt");
      }
      line.What = Action::Export;
      continue;
    }
    if (IsOption(arg, "--import")) {
      if (!OptionValue(arguments, i, "--import", line.ImportPath) || line.ImportPath.empty()) {
        return Failure("--import needs the file to import");
      }
      line.What = Action::Import;
      continue;
    }
    return Failure("unknown option '" + arg +
                   "' (taskwell --help lists the options; use -- before a file name that starts "
                   "with -)");
  }
  if (i < arguments.size()) line.File = arguments[i];
  const int commands =
      (due ? 1 : 0) + (line.ExportFormat.empty() ? 0 : 1) + (line.ImportPath.empty() ? 0 : 1);
  if (commands > 1) return Failure("--due, --export and --import cannot be combined");
  if (due) line.What = Action::DueListing;
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
         "  --export FORMAT  write the list to standard output as iCalendar (ics) or\n"
         "                 todo.txt (todotxt); never changes the file\n"
         "  --import PATH  add the tasks of the iCalendar or todo.txt file PATH to the\n"
         "                 list (created when missing), and say what could not be kept\n"
         "  -h, --help     print this help and exit\n"
         "      --version  print the version and exit\n"
         "  --             end of options: the next argument is the file, even if it\n"
         "                 starts with -\n"
         "\n"
         "Exit status: 0 on success, 1 when the file cannot be read or the window cannot\n"
         "open, or an import is refused, 2 for an unknown option.\n"
         "The mapping to iCalendar and todo.txt: docs/INTERCHANGE.md.\n";
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
