#include "app/SyncLogin.h"

#include "app/SyncText.h"

#include <qt6keychain/keychain.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <iostream>
#include <string>

#include "sync/SyncSettings.h"

namespace taskwell {
namespace {

constexpr int kKeyringTimeoutMs = 10000;
const QString kService = QStringLiteral("taskwell");

QString KeyOf(const QUrl& url, const QString& user) {
  return user + QLatin1Char('@') + url.host();
}

// Runs a keychain job to its end, bounded in time; true when it succeeded.
bool RunJob(QKeychain::Job& job, QString& problem) {
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(kKeyringTimeoutMs, &loop, &QEventLoop::quit);
  job.setAutoDelete(false);
  job.start();
  loop.exec();
  if (job.error() == QKeychain::NoError) return true;
  problem = job.errorString();
  return false;
}

}  // namespace

bool SyncLogin::HasKeyring() {
  return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

QString SyncLogin::Typed(const QUrl& url) {
  std::cerr << synctext::tr("Password for %1 on %2: ")
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
  std::getline(std::cin, line);
  if (terminal) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &shown);
    std::cerr << '\n';
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
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(KeyOf(url, user));
    if (RunJob(job, keyringProblem)) {
      password = job.textData();
      return true;
    }
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
  QKeychain::WritePasswordJob job(kService);
  job.setKey(KeyOf(url, user));
  job.setTextData(password);
  return RunJob(job, problem);
}

}  // namespace taskwell
