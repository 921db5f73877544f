#pragma once

#include <string>
#include <vector>

#include "document/Message.h"

namespace taskwell {

// What the command line asks for. It is read before any window system is touched, so --help,
// --version, --due and --remind work on a machine without a display.
struct CommandLine {
  enum class Action {
    OpenWindow,
    Help,
    Version,
    DueListing,
    Remind,
    Export,
    Import,
    Sync,
    SyncSetup,
    Error
  };

  Action What = Action::OpenWindow;
  // The task file; empty for the default one. For the window it is also the lock name's source.
  std::string File;
  // --due: the last day ahead that is listed (today is day 0).
  int DueDays = 0;
  // --export: "ics" or "todotxt".
  std::string ExportFormat;
  // --import: the file whose tasks are added.
  std::string ImportPath;
  // --sync-setup: the collection's address, or "off".
  std::string SyncUrl;
  // Action::Error: one line for stderr, without the program name.
  Message ErrorText;

  // Options come first; the first argument that is not an option, or anything after "--", is the
  // task file, and what follows it is ignored, as it always was.
  static CommandLine Parse(const std::vector<std::string>& arguments);
  static CommandLine Parse(int argc, const char* const* argv);

  // Exit status for a command line that could not be understood.
  static constexpr int UsageExitCode = 2;
};

// The text of --help and of --version.
std::string UsageText();
std::string VersionText();

// Why the window cannot open, or the empty text when a display looks reachable; decided from the
// Qt platform name and the two display variables as found in the environment (null when unset).
std::string MissingDisplayReason(const char* qtPlatform, const char* x11Display,
                                 const char* waylandDisplay);

}  // namespace taskwell
