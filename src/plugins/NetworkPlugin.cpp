#include "plugins/NetworkPlugin.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

#include "plugins/CalDavClient.h"

namespace taskwell {
namespace {

constexpr int kKeyringTimeoutMs = 10000;

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

std::unique_ptr<DavTransport> NetworkPlugin::Transport(const QString& user, const QString& password,
                                                       int timeoutMs) {
  return std::make_unique<CalDavClient>(user, password, timeoutMs);
}

bool NetworkPlugin::ReadPassword(const QString& service, const QString& key, QString& password,
                                 QString& problem) {
  QKeychain::ReadPasswordJob job(service);
  job.setKey(key);
  if (!RunJob(job, problem)) return false;
  password = job.textData();
  return true;
}

bool NetworkPlugin::WritePassword(const QString& service, const QString& key,
                                  const QString& password, QString& problem) {
  QKeychain::WritePasswordJob job(service);
  job.setKey(key);
  job.setTextData(password);
  return RunJob(job, problem);
}

}  // namespace taskwell

taskwell::NetworkParts* taskwell_network_parts() {
  static taskwell::NetworkPlugin parts;
  return &parts;
}
