#include "app/NotificationClient.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace taskwell {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kConnectionName = QStringLiteral("taskwell-notifications");

// The bus address, or empty where there is none: Qt would otherwise try to start a bus through
// the X display, which is no session to remind anyone in.
QString SessionBusAddress() {
  QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
  if (!address.isEmpty()) return address;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString socket = QDir(runtime).filePath(QStringLiteral("bus"));
  if (runtime.isEmpty() || !QFileInfo(socket).exists()) return {};
  return QStringLiteral("unix:path=") + socket;
}

}  // namespace

NotificationClient::NotificationClient() : bus_(QString()) {
  const QString address = SessionBusAddress();
  if (address.isEmpty()) {
    error_ = QStringLiteral("no session bus (DBUS_SESSION_BUS_ADDRESS is not set)");
    return;
  }
  bus_ = QDBusConnection::connectToBus(address, kConnectionName);
  if (!bus_.isConnected()) {
    error_ = QStringLiteral("no session bus at ") + address + QStringLiteral(": ") +
             bus_.lastError().message();
    return;
  }
  connected_ = true;
  bus_.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
               SLOT(OnActionInvoked(uint, QString)));
  bus_.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
               SLOT(OnNotificationClosed(uint, uint)));
  bus_.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
               QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), this,
               SLOT(OnGone()));
  auto* watcher =
      new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForUnregistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &NotificationClient::OnGone);
}

NotificationClient::~NotificationClient() {
  QDBusConnection::disconnectFromBus(kConnectionName);
}

QDBusMessage NotificationClient::Call(const QString& method, const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kService, method);
  message.setArguments(arguments);
  // The server was not there to start on demand, or did not answer in time.
  message.setAutoStartService(false);
  QDBusMessage reply = bus_.call(message, QDBus::Block, CallTimeoutMs);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    error_ = QStringLiteral("no notification server answered on the session bus (") +
             reply.errorMessage() + QStringLiteral(")");
  }
  return reply;
}

bool NotificationClient::Capabilities(QStringList& capabilities) {
  if (!connected_) return false;
  const QDBusMessage reply = Call(QStringLiteral("GetCapabilities"), {});
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  capabilities = reply.arguments().constFirst().toStringList();
  return true;
}

bool NotificationClient::Notify(const NotificationRequest& request, quint32& id) {
  if (!connected_) return false;
  const QDBusMessage reply =
      Call(QStringLiteral("Notify"),
           {request.AppName, QVariant::fromValue(request.ReplacesId), request.Icon, request.Summary,
            request.Body, request.Actions, request.Hints, QVariant::fromValue(qint32(-1))});
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  id = reply.arguments().constFirst().toUInt();
  return true;
}

void NotificationClient::Close(quint32 id) {
  if (connected_) Call(QStringLiteral("CloseNotification"), {QVariant::fromValue(id)});
}

bool NotificationClient::TakeWaitingName(const QString& name) {
  if (!connected_) return false;
  waitingName_ = name;
  bus_.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
               QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameLost"), this,
               SLOT(OnNameLost(QString)));
  const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
      bus_.interface()->registerService(name, QDBusConnectionInterface::ReplaceExistingService,
                                        QDBusConnectionInterface::AllowReplacement);
  return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

QString NotificationClient::WaitForAction(quint32 id, int limitMs) {
  waitingFor_ = id;
  invoked_.clear();
  done_ = false;
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  connect(this, &NotificationClient::Finished, &loop, &QEventLoop::quit);
  limit.start(limitMs);
  loop.exec();
  return invoked_;
}

void NotificationClient::OnActionInvoked(uint id, const QString& key) {
  if (id != waitingFor_ || done_) return;
  invoked_ = key;
  done_ = true;
  emit Finished();
}

void NotificationClient::OnNotificationClosed(uint id, uint) {
  if (id != waitingFor_ || done_) return;
  done_ = true;
  emit Finished();
}

void NotificationClient::OnNameLost(const QString& name) {
  if (name == waitingName_) OnGone();
}

void NotificationClient::OnGone() {
  done_ = true;
  emit Finished();
}

}  // namespace taskwell
