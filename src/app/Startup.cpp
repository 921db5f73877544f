#include "app/Startup.h"

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>

#include "app/AboutDialog.h"
#include "app/CommandLine.h"
#include "app/DateInputDialog.h"
#include "app/DesktopIdentity.h"
#include "app/DiscardedCopy.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/MessageDialog.h"
#include "app/RemindCommand.h"
#include "app/WindowRaiser.h"
#include "list/DueListing.h"
#include "list/TaskExchange.h"

namespace taskwell {
namespace {

// --export and --import: no window. An import waits for no one: while a window holds the list,
// what it saves later would overwrite the imported tasks.
int RunExchange(const CommandLine& command, const std::string& homeFolder) {
  const std::string file =
      command.File.empty() ? ToDoList::DefaultTaskFileName(homeFolder) : command.File;
  const RegionalSettings regional = RegionalSettings::FromSystemLocale();
  const SystemClock clock;
  if (command.What == CommandLine::Action::Export) {
    return ExportTaskFile(file, *ExchangeFormatNamed(command.ExportFormat), regional, clock,
                          std::time(nullptr), std::cout, std::cerr);
  }
  InstanceLock lock;
  if (lock.Take(InstanceLock::LockNameOf(command.File)) == InstanceLock::Outcome::Busy) {
    std::cerr << "taskwell: " << file
              << " is open in a window; close it there first. Nothing was imported.\n";
    return 1;
  }
  return ImportIntoTaskFile(command.ImportPath, file, regional, clock, std::cout, std::cerr);
}

}  // namespace

namespace {

// The answers that need no window: help, the version, a usage error, the due listing and the
// reminder. Empty when the command line asks for the window.
std::optional<int> AnswerWithoutWindow(const CommandLine& command, const std::string& home) {
  switch (command.What) {
    case CommandLine::Action::Help:
      std::cout << UsageText() << std::flush;
      return std::cout ? 0 : 1;
    case CommandLine::Action::Version:
      std::cout << VersionText() << std::flush;
      return std::cout ? 0 : 1;
    case CommandLine::Action::Error:
      std::cerr << "taskwell: " << command.ErrorText << '\n';
      return CommandLine::UsageExitCode;
    case CommandLine::Action::DueListing: {
      const std::string file =
          command.File.empty() ? ToDoList::DefaultTaskFileName(home) : command.File;
      return PrintDueListing(file, command.DueDays, RegionalSettings::FromSystemLocale(),
                             SystemClock(), std::cout, std::cerr);
    }
    case CommandLine::Action::Remind:
      return RunRemindCommand(command.File, home, RegionalSettings::FromSystemLocale(),
                              SystemClock());
    case CommandLine::Action::Export:
    case CommandLine::Action::Import:
      return RunExchange(command, home);
    case CommandLine::Action::OpenWindow:
      break;
  }
  return std::nullopt;
}

// The window on the list, with the lock taken. A refused second start returns; otherwise the
// process ends here when the window closes.
int RunWindow(int argc, char** argv, const std::string& argument, const std::string& home) {
  const RegionalSettings regional = RegionalSettings::FromSystemLocale();
  const SystemClock clock;
  const std::string lockName = InstanceLock::LockNameOf(argument);
  InstanceLock lock;
  const bool owner = lock.Acquire(lockName);

  // Qt sees only the program name: the file argument is ours, even when it looks like one of
  // Qt's own options.
  int qtArgc = 1;
  char programName[] = "taskwell";
  char* qtArgv[] = {argc > 0 ? argv[0] : programName, nullptr};
  QApplication app(qtArgc, qtArgv);
  ApplyDesktopIdentity();
  MainWindow form(regional, clock, argument, home);
  MessageDialog messageBox;
  DateInputDialog dateInputForm;
  AboutDialog aboutBox;
  form.SetDialogs(&messageBox, &aboutBox);

  if (!owner) {
    WindowRaiser::AskToRaise(lockName);
    messageBox.ShowMessageBox(
        QStringLiteral("Taskwell"),
        QString::fromLocal8Bit(lockName.c_str()) + QStringLiteral(" is already being edited."));
    return 0;
  }
  // Without a lock a second window may open the same file; saving still notices its changes.
  if (!lock.Problem().empty()) {
    messageBox.ShowMessageBox(
        QStringLiteral("Taskwell"),
        QString::fromStdString(lock.Problem() + " Another window may be editing the same file."));
  }
  const WindowRaiser raiser(lockName, form);
  form.show();
  CloseOnTerminationSignals(
      [](void* window) { static_cast<MainWindow*>(window)->CloseForSession(); }, &form);
  KeepOnCrashSignals([](void* window) { static_cast<MainWindow*>(window)->KeepDiscardedEdits(); },
                     &form);
  const int code = QApplication::exec();
  // The window has closed, and whatever it had to write is written. Ending the process here
  // spares freeing a large table block by block (a third of a million-task close); the kernel
  // drops the lock and the raiser's socket, which the next start clears as any stale one.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}

}  // namespace

int RunTaskwell(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const char* home = std::getenv("HOME");
  const std::string homeFolder = home != nullptr ? home : "";
  // The command line is settled before Qt starts, so the answers that need no window work
  // without a display.
  const CommandLine command = CommandLine::Parse(argc, argv);
  if (const std::optional<int> answer = AnswerWithoutWindow(command, homeFolder)) return *answer;
  const std::string noDisplay = MissingDisplayReason(
      std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  if (!noDisplay.empty()) {
    std::cerr << "taskwell: " << noDisplay << " (taskwell --help shows what works without one)\n";
    return 1;
  }
  return RunWindow(argc, argv, command.File, homeFolder);
}

}  // namespace taskwell
