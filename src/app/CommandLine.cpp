#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <string_view>

#include "document/Version.h"

namespace taskwell {
namespace {

// The print dialog takes day windows up to 999 days; the listing takes the same.
constexpr int kMaxDueDays = 999;

CommandLine Failure(Message text) {
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

// The argument as the user typed it, for a message about it: Qt reports an option by its name.
std::string TypedOption(const std::vector<std::string>& arguments, const QString& name) {
  const std::string wanted = name.toStdString();
  for (const std::string& arg : arguments) {
    if (arg == "--") break;
    if (arg == "--" + wanted || arg.starts_with("--" + wanted + "=")) return arg;
  }
  return (wanted.size() == 1 ? "-" : "--") + wanted;
}

// Options come first: the first argument that is not one is the task file, and what follows it
// is ignored, even when it looks like an option.
QStringList QtArguments(const std::vector<std::string>& arguments) {
  QStringList list{QStringLiteral("taskwell")};
  for (const std::string& arg : arguments) list.append(QString::fromLocal8Bit(arg));
  return list;
}

}  // namespace

namespace {

// The options the program knows.
struct Options {
  QCommandLineOption Help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
  QCommandLineOption Version{QStringLiteral("version")};
  QCommandLineOption Due{QStringLiteral("due"), QString(), QStringLiteral("DAYS")};
  QCommandLineOption Remind{QStringLiteral("remind")};
  QCommandLineOption ExportTo{QStringLiteral("export"), QString(), QStringLiteral("FORMAT")};
  QCommandLineOption ImportFrom{QStringLiteral("import"), QString(), QStringLiteral("PATH")};
  QCommandLineOption Sync{QStringLiteral("sync")};
  QCommandLineOption SyncSetup{QStringLiteral("sync-setup"), QString(), QStringLiteral("URL")};
};

// Why the parser stopped, as one line: an option without its value.
CommandLine MissingValue(const QCommandLineParser& parser) {
  if (parser.errorText().contains(QStringLiteral("export")))
    return Failure("--export needs a format: ics or todotxt");
  if (parser.errorText().contains(QStringLiteral("sync-setup")))
    return Failure("--sync-setup needs the collection's address, or off");
  if (parser.errorText().contains(QStringLiteral("import")))
    return Failure("--import needs the file to import");
  return Failure("--due needs a number of days");
}

// The one command the options ask for, with its values checked.
CommandLine Command(const QCommandLineParser& parser, const Options& o, CommandLine line) {
  using Action = CommandLine::Action;
  if (parser.isSet(o.Due) && parser.isSet(o.Remind)) {
    return Failure("--due and --remind cannot be used together");
  }
  const int commands = (parser.isSet(o.Due) || parser.isSet(o.Remind) ? 1 : 0) +
                       (parser.isSet(o.ExportTo) ? 1 : 0) + (parser.isSet(o.ImportFrom) ? 1 : 0) +
                       (parser.isSet(o.Sync) ? 1 : 0) + (parser.isSet(o.SyncSetup) ? 1 : 0);
  if (commands > 1)
    return Failure(
        "--due, --remind, --export, --import, --sync and --sync-setup cannot be combined");
  if (parser.isSet(o.Sync)) line.What = Action::Sync;
  if (parser.isSet(o.SyncSetup)) {
    line.SyncUrl = parser.value(o.SyncSetup).toLocal8Bit().toStdString();
    if (line.SyncUrl.empty()) return Failure("--sync-setup needs the collection's address, or off");
    line.What = Action::SyncSetup;
  }
  if (parser.isSet(o.ExportTo)) {
    line.ExportFormat = parser.value(o.ExportTo).toStdString();
    if (line.ExportFormat != "ics" && line.ExportFormat != "todotxt")
      return Failure("--export needs a format: ics or todotxt");
    line.What = Action::Export;
  }
  if (parser.isSet(o.ImportFrom)) {
    line.ImportPath = parser.value(o.ImportFrom).toLocal8Bit().toStdString();
    if (line.ImportPath.empty()) return Failure("--import needs the file to import");
    line.What = Action::Import;
  }
  if (parser.isSet(o.Remind)) line.What = Action::Remind;
  if (parser.isSet(o.Due)) {
    const std::string value = parser.value(o.Due).toLocal8Bit().toStdString();
    if (!ParseDays(value, line.DueDays)) {
      return Failure(
          Message::Format("--due needs a whole number of days from 0 to 999, not '%1'", value));
    }
    line.What = Action::DueListing;
  }
  return line;
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
  QCommandLineParser parser;
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
  const Options options;
  parser.addOptions({options.Help, options.Version, options.Due, options.Remind, options.ExportTo,
                     options.ImportFrom, options.Sync, options.SyncSetup});
  const bool understood = parser.parse(QtArguments(arguments));

  CommandLine line;
  // Help and the version answer whatever else is wrong, as they always did.
  if (parser.isSet(options.Help)) {
    line.What = Action::Help;
    return line;
  }
  if (parser.isSet(options.Version)) {
    line.What = Action::Version;
    return line;
  }
  if (!parser.unknownOptionNames().isEmpty()) {
    return Failure(Message::Format(
        "unknown option '%1' (taskwell --help lists the options; use -- before a file name that "
        "starts with -)",
        TypedOption(arguments, parser.unknownOptionNames().front())));
  }
  if (!understood) return MissingValue(parser);
  if (!parser.positionalArguments().isEmpty())
    line.File = parser.positionalArguments().front().toLocal8Bit().toStdString();
  return Command(parser, options, std::move(line));
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
         "  --export FORMAT  write the list to standard output as iCalendar (ics) or\n"
         "                 todo.txt (todotxt); never changes the file\n"
         "  --import PATH  add the tasks of the iCalendar or todo.txt file PATH to the\n"
         "                 list (created when missing), and say what could not be kept\n"
         "  --sync-setup URL  sync the list with the CalDAV task collection at URL\n"
         "                 (https://USER@HOST/PATH/); off ends it\n"
         "  --sync         sync the list with its CalDAV collection once, both ways\n"
         "  -h, --help     print this help and exit\n"
         "      --version  print the version and exit\n"
         "  --             end of options: the next argument is the file, even if it\n"
         "                 starts with -\n"
         "\n"
         "Exit status: 0 on success, 1 when the file cannot be read, the window cannot\n"
         "open, no notification could be shown, an import is refused or a sync fails, 2\n"
         "for an unknown option. The mapping to iCalendar and todo.txt: docs/INTERCHANGE.md.\n";
}

std::string VersionText() {
  return std::string("Taskwell ") + kVersion + "\n";
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
