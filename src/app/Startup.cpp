#include "app/Startup.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QStyle>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "app/AboutDialog.h"
#include "app/CommandLine.h"
#include "app/DateInputDialog.h"
#include "app/DesktopIdentity.h"
#include "app/EndSignals.h"
#include "app/FocusFrameStyle.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/MessageDialog.h"
#include "app/RemindCommand.h"
#include "app/StandardStreams.h"
#include "app/SyncCommand.h"
#include "app/Translations.h"
#include "app/WindowRaiser.h"
#include "list/DueListing.h"
#include "list/EarlyLoad.h"
#include "list/TaskExchange.h"

namespace taskwell {
namespace {

// --export and --import: no window. An import waits for no one: while a window holds the list,
// what it saves later would overwrite the imported tasks.
int RunExchange(const CommandLine& command, const std::string& homeFolder) {
  const std::string file = TaskFileNameOf(command.File, homeFolder);
  const RegionalSettings regional = RegionalSettings::FromSystemLocale();
  const SystemClock clock;
  if (command.What == CommandLine::Action::Export) {
    return ExportTaskFile(file, *ExchangeFormatNamed(command.ExportFormat), regional, clock,
                          std::time(nullptr), StandardOutput(), StandardError());
  }
  InstanceLock lock;
  if (lock.Take(InstanceLock::LockNameOf(command.File)) == InstanceLock::Outcome::Busy) {
    StandardError() << "taskwell: " << file
                    << " is open in a window; close it there first. Nothing was imported.\n";
    return 1;
  }
  return ImportIntoTaskFile(command.ImportPath, file, regional, clock, StandardOutput(),
                            StandardError());
}

}  // namespace

namespace {

bool HasValue(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// True when only Wayland can show the window and Qt's Wayland plugin is not installed: Qt would
// abort instead of saying so.
bool WaylandPluginMissing() {
  const std::string platforms = HasValue("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  const bool x11 =
      HasValue("DISPLAY") && (platforms.empty() || platforms.find("xcb") != std::string::npos);
  const bool wayland = HasValue("WAYLAND_DISPLAY") &&
                       (platforms.empty() || platforms.find("wayland") != std::string::npos);
  if (x11 || !wayland) return false;
  QStringList folders;
  if (HasValue("QT_QPA_PLATFORM_PLUGIN_PATH")) {
    folders << QString::fromLocal8Bit(std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH"));
  } else {
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    for (const QString& path : qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':')))
      if (!path.isEmpty()) folders << path + QStringLiteral("/platforms");
  }
  for (const QString& folder : folders) {
    if (!QDir(folder).entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty())
      return false;
  }
  return true;
}

// The answers that need no window: help, the version, a usage error, the due listing and the
// reminder. Empty when the command line asks for the window.
std::optional<int> AnswerWithoutWindow(const CommandLine& command, const std::string& home) {
  switch (command.What) {
    case CommandLine::Action::Help:
      StandardOutput() << Translations::TranslatedEarly(UsageText()).toLocal8Bit().constData()
                       << std::flush;
      return StandardOutput() ? 0 : 1;
    case CommandLine::Action::Version:
      StandardOutput() << VersionText() << std::flush;
      return StandardOutput() ? 0 : 1;
    case CommandLine::Action::Error:
      StandardError() << "taskwell: "
                      << Translations::TranslatedEarly(command.ErrorText).toLocal8Bit().constData()
                      << '\n';
      return CommandLine::UsageExitCode;
    case CommandLine::Action::DueListing: {
      const std::string file = TaskFileNameOf(command.File, home);
      return PrintDueListing(file, command.DueDays, RegionalSettings::FromSystemLocale(),
                             SystemClock(), StandardOutput(), StandardError());
    }
    case CommandLine::Action::Remind:
      return RunRemindCommand(command.File, home, RegionalSettings::FromSystemLocale(),
                              SystemClock());
    case CommandLine::Action::Export:
    case CommandLine::Action::Import:
      return RunExchange(command, home);
    case CommandLine::Action::Sync:
      return RunSyncCommand(command.File, home, RegionalSettings::FromSystemLocale(),
                            SystemClock());
    case CommandLine::Action::SyncSetup:
      return RunSyncSetup(command.SyncUrl, command.File, home);
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
  // A large list is read while the toolkit starts, which takes about as long.
  std::optional<EarlyLoad> early;
  if (owner) early.emplace(DateFormat(regional, clock), TaskFileNameOf(argument, home));

  // Qt sees only the program name: the file argument is ours, even when it looks like one of
  // Qt's own options.
  int qtArgc = 1;
  char programName[] = "taskwell";
  char* qtArgv[] = {argc > 0 ? argv[0] : programName, nullptr};
  QApplication app(qtArgc, qtArgv);
  QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
  ApplyDesktopIdentity();
  // The program's texts and Qt's own (the print dialog, the standard buttons) in the user's
  // language.
  Translations translations;
  translations.Install();
  MainWindow form(regional, clock, argument, home, early ? &*early : nullptr);
  // The dialogs belong to the window, so the desktop puts them over it; a refused start shows
  // its one message on its own.
  QWidget* dialogParent = owner ? &form : nullptr;
  MessageDialog messageBox(dialogParent);
  DateInputDialog dateInputForm(dialogParent);
  AboutDialog aboutBox(dialogParent);
  form.SetDialogs(&messageBox, &aboutBox);

  if (!owner) {
    WindowRaiser::AskToRaise(lockName);
    messageBox.ShowMessageBox(QStringLiteral("Taskwell"),
                              QCoreApplication::translate("taskwell", "%1 is already being edited.")
                                  .arg(QString::fromLocal8Bit(lockName.c_str())));
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
  EndThroughEventLoop([&form](int signal) { form.EndForSignal(signal); });
  form.OfferRecovery();
  // A signal that came during the question ends the program before the event loop starts.
  const int code = form.EndCode() >= 0 ? form.EndCode() : QApplication::exec();
  // The window has closed, and whatever it had to write is written. Ending the process here
  // spares freeing a large table block by block (a third of a million-task close); the kernel
  // drops the lock and the raiser's socket, which the next start clears as any stale one.
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
    StandardError() << "taskwell: " << noDisplay
                    << " (taskwell --help shows what works without one)\n";
    return 1;
  }
  if (WaylandPluginMissing()) {
    StandardError() << "taskwell: this Wayland session needs Qt's Wayland platform plugin (package "
                       "qt6-wayland)\n";
    return 1;
  }
  return RunWindow(argc, argv, command.File, homeFolder);
}

}  // namespace taskwell
