#include "app/RemindCommand.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include "app/NotificationClient.h"
#include "app/StandardStreams.h"
#include "app/Translations.h"
#include "document/Calendar.h"
#include "document/Folders.h"
#include "list/HeadlessList.h"
#include "list/RecoveryJournal.h"
#include "list/Reminder.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

// How long "Open" stays usable: the process waits for it, and the next timer run must not find
// this one still waiting.
constexpr int kActionWaitMs = 60 * 60 * 1000;

QString StateFolder() {
  return QString::fromLocal8Bit(RecoveryJournal::StateFolder().c_str());
}

// What names a list's reminder state (its file, its bus name): the list's path, hashed.
QString ListKey(const std::string& file) {
  const QByteArray path =
      QFileInfo(QString::fromLocal8Bit(file.c_str())).absoluteFilePath().toUtf8();
  const QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex();
  return QString::fromLatin1(hash.left(32));
}

// Where the id of the list's notification of the day is kept.
QString MemoryFile(const QString& key) {
  return StateFolder() + QStringLiteral("/reminder-") + key;
}

QString DayText(double now) {
  const CalendarDate day = DecodeDate(now);
  return QStringLiteral("%1-%2-%3")
      .arg(day.Year, 4, 10, QLatin1Char('0'))
      .arg(day.Month, 2, 10, QLatin1Char('0'))
      .arg(day.Day, 2, 10, QLatin1Char('0'));
}

// The notification shown earlier today for this list, to be replaced; 0 for none.
quint32 TodaysNotification(const QString& memory, const QString& day) {
  QFile in(memory);
  if (!in.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = in.readAll().trimmed().split(' ');
  if (fields.size() != 2 || QString::fromLatin1(fields[0]) != day) return 0;
  return fields[1].toUInt();
}

void RememberNotification(const QString& memory, const QString& day, quint32 id) {
  // The folder holds the recovery journals too, which keep the user's tasks: private, as they
  // make it, whichever comes first.
  CreatePrivateFolders(QFileInfo(memory).absolutePath().toLocal8Bit().toStdString());
  QSaveFile out(memory);
  const QByteArray line = day.toLatin1() + ' ' + QByteArray::number(id) + '\n';
  if (!out.open(QIODevice::WriteOnly) || out.write(line) != line.size() || !out.commit()) {
    StandardError() << "taskwell: could not keep the notification's id in "
                    << memory.toLocal8Bit().constData()
                    << "; the next reminder will not replace it\n";
  }
}

NotificationRequest RequestFor(const Reminder& reminder, const QStringList& capabilities) {
  NotificationRequest request;
  request.AppName = QStringLiteral("Taskwell");
  request.Icon = QStringLiteral("taskwell");
  request.Summary = Translations::Translated(reminder.Summary);
  request.Body =
      Translations::Translated(reminder.Body(capabilities.contains(QStringLiteral("body-markup"))));
  // A server that shows buttons shows "Open"; one that only acts on a click takes the default.
  if (capabilities.contains(QStringLiteral("actions"))) {
    const QString open = QCoreApplication::translate("taskwell", "Open");
    request.Actions = {QStringLiteral("default"), open, QStringLiteral("open"), open};
  }
  request.Hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("taskwell"));
  request.Hints.insert(QStringLiteral("urgency"),
                       QVariant::fromValue(static_cast<uchar>(reminder.Overdue > 0 ? 2 : 1)));
  return request;
}

// Shows the reminder; false, with the reason on stderr, when no server took it.
bool ShowReminder(const Reminder& reminder, const std::string& file, const std::string& given,
                  double now) {
  NotificationClient client;
  QStringList capabilities;
  NotificationRequest request;
  quint32 id = 0;
  const QString key = ListKey(file);
  const QString memory = MemoryFile(key);
  const QString day = DayText(now);
  // A server may list no capabilities at all; it is there once it answers.
  const bool answered = client.Capabilities(capabilities);
  if (answered) {
    request = RequestFor(reminder, capabilities);
    request.ReplacesId = TodaysNotification(memory, day);
  }
  if (!answered || !client.Notify(request, id)) {
    StandardError() << "taskwell: " << client.Error().toLocal8Bit().constData() << '\n';
    return false;
  }
  RememberNotification(memory, day, id);
  if (request.Actions.isEmpty()) return true;
  // One process waits for the list's notification: a run that replaced it takes over.
  client.TakeWaitingName(QStringLiteral("io.github.taskwell.Reminder.h") + key);
  if (client.WaitForAction(id, kActionWaitMs).isEmpty()) return true;
  // The same argument as given, so that a window already open on the list comes to the front.
  QStringList arguments;
  if (!given.empty()) arguments = {QStringLiteral("--"), QString::fromLocal8Bit(given.c_str())};
  // The window speaks through its own dialogs; it does not write into this run's output.
  QProcess window;
  window.setProgram(QCoreApplication::applicationFilePath());
  window.setArguments(arguments);
  window.setStandardOutputFile(QProcess::nullDevice());
  window.setStandardErrorFile(QProcess::nullDevice());
  if (!window.startDetached()) {
    StandardError() << "taskwell: could not start the window\n";
  }
  return true;
}

// Nothing is due any more: what an earlier run said today goes, where a server is there to
// take it away. Without one there is nothing showing, and nothing to report.
void CloseTodaysReminder(const std::string& file, double now) {
  const quint32 id = TodaysNotification(MemoryFile(ListKey(file)), DayText(now));
  if (id == 0) return;
  NotificationClient client;
  client.Close(id);
}

}  // namespace

int RunRemindCommand(const std::string& file, const std::string& home,
                     const RegionalSettings& regional, const Clock& clock) {
  const std::string path = TaskFileNameOf(file, home);
  HeadlessList list(regional, clock, path);
  const HeadlessList::Loaded loaded = list.Load(StandardError());
  if (loaded == HeadlessList::Loaded::Not) return 1;
  const Reminder reminder =
      ReminderOf(list.Title(), list.Rows(), list.Dates(), list.File().TextIsUtf8());
  int argc = 1;
  char name[] = "taskwell";
  char* argv[] = {name, nullptr};
  const QCoreApplication app(argc, argv);
  // The notification speaks the user's language.
  Translations translations;
  translations.Install();
  if (reminder.Empty()) {
    CloseTodaysReminder(path, clock.Now());
  } else if (!ShowReminder(reminder, path, file, clock.Now())) {
    return 1;
  }
  return loaded == HeadlessList::Loaded::Whole ? 0 : 1;
}

}  // namespace taskwell
