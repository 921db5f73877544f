#pragma once

#include "app/NetworkParts.h"

namespace taskwell {

// The network plug-in's parts: CalDAV over Qt Network and passwords through QtKeychain.
class NetworkPlugin final : public NetworkParts {
 public:
  std::unique_ptr<DavTransport> Transport(const QString& user, const QString& password,
                                          int timeoutMs) override;
  bool ReadPassword(const QString& service, const QString& key, QString& password,
                    QString& problem) override;
  bool WritePassword(const QString& service, const QString& key, const QString& password,
                     QString& problem) override;
};

}  // namespace taskwell

extern "C" Q_DECL_EXPORT taskwell::NetworkParts* taskwell_network_parts();
