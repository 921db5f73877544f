#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace taskwell {

// One desktop notification as org.freedesktop.Notifications takes it.
struct NotificationRequest {
  QString AppName;
  quint32 ReplacesId = 0;
  QString Icon;
  QString Summary;
  QString Body;
  QStringList Actions;  // key, label, key, label, ...
  QVariantMap Hints;
};

// The desktop's notification server on the session bus. Every call is bounded in time, so a bus
// that hangs or a server that never answers ends in an error, not a wait.
class NotificationClient final : public QObject {
  Q_OBJECT

 public:
  static constexpr int CallTimeoutMs = 3000;

  // Connects to the session bus named by DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus;
  // never starts a bus of its own. Connected() says whether it worked, Error() why not.
  NotificationClient();
  ~NotificationClient() override;
  NotificationClient(const NotificationClient&) = delete;
  NotificationClient& operator=(const NotificationClient&) = delete;

  bool Connected() const { return connected_; }
  const QString& Error() const { return error_; }

  // False, with Error() set, when no server answers.
  bool Capabilities(QStringList& capabilities);
  bool Notify(const NotificationRequest& request, quint32& id);
  void Close(quint32 id);
  // Takes the bus name `name` for this process, from whoever had it: the one who had it stops
  // waiting. False when the bus refused.
  bool TakeWaitingName(const QString& name);
  // Waits until notification `id` has an action invoked (its key is returned) or is closed, the
  // server or the bus goes away, or `limitMs` pass (an empty key).
  QString WaitForAction(quint32 id, int limitMs);

 signals:
  void Finished();

 private slots:
  void OnActionInvoked(uint id, const QString& key);
  void OnNotificationClosed(uint id, uint reason);
  void OnGone();
  void OnNameLost(const QString& name);

 private:
  QDBusMessage Call(const QString& method, const QVariantList& arguments);

  QDBusConnection bus_;
  bool connected_ = false;
  QString error_;
  QString waitingName_;
  quint32 waitingFor_ = 0;
  QString invoked_;
  bool done_ = false;
};

}  // namespace taskwell
