#include "app/SyncCommand.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/CalDavSync.h"
#include "app/DavMultistatus.h"
#include "app/InstanceLock.h"
#include "app/NetworkParts.h"
#include "app/StandardStreams.h"
#include "app/SyncLogin.h"
#include "app/SyncText.h"
#include "document/Folders.h"
#include "list/ToDoList.h"
#include "sync/SyncSettings.h"

namespace taskwell {
namespace {

int Failed(const QString& reason) {
  StandardError() << "taskwell: " << reason.toLocal8Bit().constData() << '\n';
  return 1;
}

const QByteArray kCheckBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\" "
    "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:resourcetype/><d:displayname/>"
    "<c:supported-calendar-component-set/><d:current-user-principal/><c:calendar-home-set/>"
    "</d:prop></d:propfind>";

// One PROPFIND, waited for.
DavReply Propfind(DavTransport& client, const QUrl& url, const QByteArray& depth) {
  DavReply answer;
  QEventLoop loop;
  client.Send("PROPFIND", url,
              {{"Content-Type", "application/xml; charset=utf-8"}, {"Depth", depth}}, kCheckBody,
              [&](const DavReply& reply) {
                answer = reply;
                loop.quit();
              });
  loop.exec();
  return answer;
}

// The task collections under a principal or a calendar home.
QStringList Discover(DavTransport& client, const QUrl& url, const DavResource& found) {
  QUrl home;
  if (found.Props.contains(QStringLiteral("calendar-home-set"))) {
    home = url.resolved(QUrl(found.Props.value(QStringLiteral("calendar-home-set"))));
  } else if (found.Props.contains(QStringLiteral("current-user-principal"))) {
    const QUrl principal =
        url.resolved(QUrl(found.Props.value(QStringLiteral("current-user-principal"))));
    const std::optional<DavMultistatus> answer =
        DavMultistatus::Parse(Propfind(client, principal, "0").Body);
    if (!answer || answer->Resources.isEmpty()) return {};
    home = url.resolved(
        QUrl(answer->Resources.front().Props.value(QStringLiteral("calendar-home-set"))));
  } else {
    home = url;
  }
  QStringList collections;
  const std::optional<DavMultistatus> listing =
      DavMultistatus::Parse(Propfind(client, home, "1").Body);
  if (!listing) return collections;
  for (const DavResource& resource : listing->Resources) {
    if (resource.IsCalendar && resource.HoldsTodos) {
      QUrl collection = url.resolved(QUrl(resource.Href));
      collection.setUserName(url.userName());
      collections << collection.toString();
    }
  }
  return collections;
}

// A command's Qt without a display, and the list's places.
struct Headless {
  int Argc = 1;
  char Name[9] = "taskwell";
  char* Argv[2] = {Name, nullptr};
  QCoreApplication App{Argc, Argv};
  SyncPlaces Places;
  Headless(const std::string& file, const std::string& home) : Places(SyncPlaces::Of(file, home)) {}
};

}  // namespace

SyncPlaces SyncPlaces::Of(const std::string& file, const std::string& home) {
  const std::string list = TaskFileNameOf(file, home);
  std::error_code error;
  return {std::filesystem::absolute(list, error).lexically_normal().string(),
          BaseFolder("XDG_CONFIG_HOME", home, "/.config"),
          BaseFolder("XDG_STATE_HOME", home, "/.local/state")};
}

std::string SyncPlaces::StatePath() const {
  return SyncState::PathFor(StateHome, TaskFile);
}

void SyncPlaces::Remember(const std::string& url) const {
  SyncSettings(ConfigHome).SetUrl(TaskFile, url);
  std::remove(StatePath().c_str());
}

QString CollectionCheck::Told() const {
  if (Found.isEmpty()) return Problem;
  return Problem + synctext::tr("; the task collections there:") + QStringLiteral("\n  ") +
         Found.join(QStringLiteral("\n  "));
}

int SyncTimeoutMs() {
  const int seconds = qEnvironmentVariableIntValue("TASKWELL_SYNC_TIMEOUT");
  constexpr int kDefaultSeconds = 30;
  return (seconds > 0 ? seconds : kDefaultSeconds) * 1000;
}

CollectionCheck CheckCollection(const QUrl& url, const QString& password, int timeoutMs) {
  CollectionCheck check;
  NetworkParts* parts = NetworkParts::Loaded(check.Problem);
  if (parts == nullptr) return check;
  const std::unique_ptr<DavTransport> client =
      parts->Transport(SyncLogin::UserOf(url), password, timeoutMs);
  const DavReply reply = Propfind(*client, url, "0");
  if (!reply.Ok()) {
    check.Problem = reply.Reason();
    return check;
  }
  const std::optional<DavMultistatus> answer = DavMultistatus::Parse(reply.Body);
  if (!answer || answer->Resources.isEmpty()) {
    check.Problem = synctext::tr("the server's answer could not be read");
    return check;
  }
  const DavResource& found = answer->Resources.front();
  if (found.IsCalendar && found.HoldsTodos) {
    check.Name = found.Props.value(QStringLiteral("displayname"));
    return check;
  }
  check.Problem = found.IsCalendar ? synctext::tr("%1 is a calendar that holds no tasks")
                                   : synctext::tr("%1 is no task collection");
  check.Problem = check.Problem.arg(url.toDisplayString(QUrl::RemoveUserInfo));
  check.Found = Discover(*client, url, found);
  return check;
}

int RunSyncCommand(const std::string& file, const std::string& home,
                   const RegionalSettings& regional, const Clock& clock) {
  const Headless app(file, home);
  const SyncPlaces& places = app.Places;
  const QString list = QString::fromStdString(places.TaskFile);
  std::optional<std::string> url;
  try {
    url = SyncSettings(places.ConfigHome).UrlFor(places.TaskFile);
  } catch (const std::exception& error) {
    return Failed(QString::fromStdString(error.what()));
  }
  if (!url)
    return Failed(
        synctext::tr("%1 does not sync with a CalDAV server (see --sync-setup)").arg(list));
  InstanceLock lock;
  if (lock.Take(InstanceLock::LockNameOf(file)) == InstanceLock::Outcome::Busy)
    return Failed(
        synctext::tr("%1 is open in a window, which syncs it itself; nothing was done").arg(list));
  const QUrl collection(QString::fromStdString(*url));
  QString password;
  QString problem;
  if (!SyncLogin::Find(collection, QString::fromStdString(home), password, problem))
    return Failed(problem);
  const DateFormat dates(regional, clock);
  CalDavSync sync(dates, {collection, SyncLogin::UserOf(collection), password, places.TaskFile,
                          places.StatePath(), SyncTimeoutMs()});
  SyncOutcome outcome;
  QEventLoop loop;
  sync.Start([&](const SyncOutcome& result) {
    outcome = result;
    loop.quit();
  });
  if (outcome.Text.isEmpty()) loop.exec();
  if (!outcome.Ok)
    return Failed(synctext::tr("the sync failed, and nothing was changed: %1").arg(outcome.Text));
  StandardOutput() << outcome.Text.toLocal8Bit().constData() << '\n';
  for (const QString& note : outcome.Notes)
    StandardOutput() << note.toLocal8Bit().constData() << '\n';
  return StandardOutput().flush() ? 0 : 1;
}

int RunSyncSetup(const std::string& url, const std::string& file, const std::string& home) {
  const Headless app(file, home);
  const SyncPlaces& places = app.Places;
  const QString list = QString::fromStdString(places.TaskFile);
  try {
    if (url == "off") {
      places.Remember("");
      StandardOutput() << synctext::tr("%1 no longer syncs.").arg(list).toLocal8Bit().constData()
                       << '\n';
      return 0;
    }
    QUrl collection(QString::fromStdString(url));
    if (!collection.password().isEmpty())
      return Failed(
          synctext::tr("keep the password in the keyring or in ~/.netrc, not in the address"));
    if (!collection.path().endsWith(QLatin1Char('/')))
      collection.setPath(collection.path() + QLatin1Char('/'));
    const QString refusal = DavTransport::Refusal(collection);
    if (!refusal.isEmpty()) return Failed(refusal);
    QString password;
    QString problem;
    // On a desktop the password is asked for once and kept in the keyring.
    bool typed = false;
    if (!SyncLogin::Find(collection, QString::fromStdString(home), password, problem)) {
      if (!SyncLogin::HasKeyring()) return Failed(problem);
      password = SyncLogin::Typed(collection);
      typed = !password.isEmpty();
      if (!typed) return Failed(problem);
    }
    const CollectionCheck check = CheckCollection(collection, password, SyncTimeoutMs());
    if (!check.Problem.isEmpty()) return Failed(check.Told());
    if (typed && !SyncLogin::Store(collection, SyncLogin::UserOf(collection), password, problem))
      return Failed(
          QCoreApplication::translate(
              "taskwell", "The password could not be kept in the keyring (%1); put it in ~/.netrc")
              .arg(problem));
    places.Remember(collection.toString().toStdString());
    StandardOutput() << synctext::tr("%1 syncs with %2 (\"%3\").")
                            .arg(list, collection.toDisplayString(QUrl::RemoveUserInfo), check.Name)
                            .toLocal8Bit()
                            .constData()
                     << '\n';
  } catch (const std::exception& error) {
    return Failed(QString::fromStdString(error.what()));
  }
  return 0;
}

}  // namespace taskwell
