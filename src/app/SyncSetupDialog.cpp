#include "app/SyncSetupDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace taskwell {

SyncSetupDialog::SyncSetupDialog(const QUrl& current, QWidget* parent)
    : QDialog(parent),
      url_(new QLineEdit(this)),
      user_(new QLineEdit(this)),
      password_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("SyncSetupDialog"));
  setWindowTitle(QCoreApplication::translate("taskwell", "Sync with a CalDAV Server"));
  url_->setObjectName(QStringLiteral("SyncUrlEdit"));
  user_->setObjectName(QStringLiteral("SyncUserEdit"));
  password_->setObjectName(QStringLiteral("SyncPasswordEdit"));
  password_->setEchoMode(QLineEdit::Password);
  QUrl shown = current;
  user_->setText(shown.userName());
  shown.setUserInfo({});
  url_->setText(shown.toString());
  url_->setPlaceholderText(
      QStringLiteral("https://cloud.example.org/remote.php/dav/calendars/ann/tasks/"));
  url_->setMinimumWidth(420);
  auto* form = new QFormLayout(this);
  form->addRow(QCoreApplication::translate("taskwell", "&Address:"), url_);
  form->addRow(QCoreApplication::translate("taskwell", "&User name:"), user_);
  form->addRow(QCoreApplication::translate("taskwell", "&Password:"), password_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QUrl SyncSetupDialog::Url() const {
  QUrl url(url_->text().trimmed());
  if (url.isEmpty()) return url;
  url.setUserName(user_->text().trimmed());
  if (!url.path().endsWith(QLatin1Char('/'))) url.setPath(url.path() + QLatin1Char('/'));
  return url;
}

QString SyncSetupDialog::User() const {
  return user_->text().trimmed();
}

QString SyncSetupDialog::Password() const {
  return password_->text();
}

}  // namespace taskwell
