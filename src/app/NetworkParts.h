#pragma once

#include <QString>
#include <memory>

#include "app/DavTransport.h"

namespace taskwell {

// What reaches another machine or the desktop's keyring: CalDAV's HTTP and the keyring's
// password jobs. They live in a plug-in of their own (Qt Network brings Kerberos and the proxy
// library with it, the keyring QtKeychain), loaded when a sync or its setup first needs them, so
// that a start which does not sync loads none of it.
class NetworkParts {
 public:
  NetworkParts() = default;
  virtual ~NetworkParts() = default;
  NetworkParts(const NetworkParts&) = delete;
  NetworkParts& operator=(const NetworkParts&) = delete;

  // The parts, the plug-in loaded on the first call; null with the reason when it cannot be.
  static NetworkParts* Loaded(QString& problem);

  // Certificates checked, plain HTTP only to this machine, the login sent with each request.
  virtual std::unique_ptr<DavTransport> Transport(const QString& user, const QString& password,
                                                  int timeoutMs) = 0;
  // The keyring's password for `key` of `service`; false with the reason when there is none.
  virtual bool ReadPassword(const QString& service, const QString& key, QString& password,
                            QString& problem) = 0;
  virtual bool WritePassword(const QString& service, const QString& key, const QString& password,
                             QString& problem) = 0;
};

}  // namespace taskwell

// The plug-in's one entry point: its parts, which live as long as the process.
extern "C" {
using TaskwellNetworkPartsEntry = taskwell::NetworkParts* (*)();
}
