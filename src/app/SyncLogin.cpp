#include "app/SyncLogin.h"

#include "app/NetworkParts.h"
#include "app/StandardStreams.h"
#include "app/SyncText.h"

#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <string>

#include "sync/SyncSettings.h"

namespace taskwell {
namespace {

const QString kService = QStringLiteral("taskwell");

QString KeyOf(const QUrl& url, const QString& user) {
  return user + QLatin1Char('@') + url.host();
}

}  // namespace

bool SyncLogin::HasKeyring() {
  return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

QString SyncLogin::Typed(const QUrl& url) {
  StandardError() << synctext::tr("Password for %1 on %2: ")
                         .arg(UserOf(url), url.host())
                         .toLocal8Bit()
                         .constData()
                  << std::flush;
  termios shown{};
  const bool terminal = ::isatty(STDIN_FILENO) != 0 && ::tcgetattr(STDIN_FILENO, &shown) == 0;
  if (terminal) {
    termios hidden = shown;
    hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
  }
  std::string line;
  ReadStandardLine(line);
  if (terminal) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &shown);
    StandardError() << '\n';
  }
  return QString::fromStdString(line);
}

QString SyncLogin::UserOf(const QUrl& url) {
  return url.userName(QUrl::FullyDecoded);
}

bool SyncLogin::Find(const QUrl& url, const QString& home, QString& password, QString& problem) {
  const QString user = UserOf(url);
  QString keyringProblem;
  if (HasKeyring()) {
    NetworkParts* parts = NetworkParts::Loaded(keyringProblem);
    if (parts != nullptr &&
        parts->ReadPassword(kService, KeyOf(url, user), password, keyringProblem))
      return true;
  }
  const std::string netrc = QString(home + QStringLiteral("/.netrc")).toStdString();
  try {
    const std::optional<NetrcLogin> login =
        ReadNetrc(netrc, url.host().toStdString(), user.toStdString());
    if (login) {
      password = QString::fromStdString(login->Password);
      return true;
    }
  } catch (const std::exception& error) {
    problem = QString::fromStdString(error.what());
    return false;
  }
  problem = synctext::tr("no password for %1 on %2: none in the keyring, and none in ~/.netrc")
                .arg(user, url.host());
  return false;
}

bool SyncLogin::Store(const QUrl& url, const QString& user, const QString& password,
                      QString& problem) {
  if (!HasKeyring()) {
    problem = synctext::tr("no keyring is running");
    return false;
  }
  NetworkParts* parts = NetworkParts::Loaded(problem);
  return parts != nullptr && parts->WritePassword(kService, KeyOf(url, user), password, problem);
}

}  // namespace taskwell
