#pragma once

#include <QDialog>
#include <QUrl>

class QLineEdit;

namespace taskwell {

// The collection's address, the user name and the password, for setting up a list's sync from
// the window. An empty address ends the sync.
class SyncSetupDialog final : public QDialog {
  Q_OBJECT

 public:
  SyncSetupDialog(const QUrl& current, QWidget* parent);

  // The address with the user name in it.
  QUrl Url() const;
  QString User() const;
  QString Password() const;

 private:
  QLineEdit* url_;
  QLineEdit* user_;
  QLineEdit* password_;
};

}  // namespace taskwell
