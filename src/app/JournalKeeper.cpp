#include "app/JournalKeeper.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <cstdlib>
#include <ctime>

#include "app/DiscardedCopy.h"

namespace taskwell {
namespace {

// Qt ends the process with exit() when the display connection breaks; the hook still brings the
// journal up to date on the way out, on the main thread, between two events.
JournalKeeper* exitKeeper = nullptr;

void KeepJournalAtExit() {
  if (exitKeeper != nullptr) exitKeeper->KeepNow(true);
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string LocalTime(std::time_t when) {
  std::tm local{};
  ::localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

JournalKeeper::JournalKeeper(ToDoList& list, const std::string& stateFolder,
                             std::function<void(const std::string&)> tell, QObject* parent)
    : QObject(parent),
      list_(list),
      journal_(stateFolder, list.TaskFileName()),
      tell_(std::move(tell)),
      timer_(this) {
  seen_ = list_.Table().ContentRevision();
  connect(&timer_, &QTimer::timeout, this, &JournalKeeper::Tick);
  timer_.start(kTickMs);
  static const bool hooked = std::atexit(KeepJournalAtExit) == 0;
  (void)hooked;
  exitKeeper = this;
}

JournalKeeper::~JournalKeeper() {
  if (exitKeeper == this) exitKeeper = nullptr;
}

void JournalKeeper::Tick() {
  const std::uint64_t revision = list_.Table().ContentRevision();
  if (revision != seen_) {
    // Still changing: wait for a tick without a change.
    seen_ = revision;
    pending_ = true;
    return;
  }
  if (pending_ || (written_ && list_.File().WrittenRevision == revision)) {
    pending_ = false;
    KeepNow();
  }
}

bool JournalKeeper::KeepNow(bool quiet) {
  try {
    if (list_.HasUnsavedChanges()) {
      journal_.Write(list_.SaveBytes());
      written_ = true;
    } else if (written_) {
      Remove();
    }
    failureTold_ = false;
    return true;
  } catch (const std::exception& e) {
    if (!quiet && !failureTold_ && tell_) {
      failureTold_ = true;
      tell_(std::string(e.what()) +
            ". Until it can be written, unsaved changes are lost if the program ends without a "
            "save");
    }
    return false;
  }
}

void JournalKeeper::Remove() {
  journal_.Remove();
  written_ = false;
}

void JournalKeeper::OfferFound(QWidget* parent, const std::string& asideFolder) {
  const std::optional<RecoveryJournal::Entry> found = journal_.Find();
  if (!found) return;
  const std::string shown = list_.SaveBytes();
  if (found->Bytes == shown || found->Bytes == list_.File().BaseBytes) {
    journal_.Remove();
    return;
  }
  QMessageBox box(QMessageBox::Question, Q(list_.ListTitle()),
                  Q("Taskwell ended on " + LocalTime(found->Written) + " with unsaved changes to " +
                    list_.TaskFileName() + ", kept in " + journal_.Path() + ": " +
                    JournalDifference(shown, found->Bytes) +
                    ".\r\nRestore them into the list (Undo takes them back again), keep them aside "
                    "in " +
                    asideFolder + ", or discard them?"),
                  QMessageBox::NoButton, parent);
  QPushButton* restore = box.addButton(QStringLiteral("&Restore"), QMessageBox::AcceptRole);
  QPushButton* aside = box.addButton(QStringLiteral("&Keep aside"), QMessageBox::ActionRole);
  QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.setObjectName(QStringLiteral("RecoveryQuestion"));
  box.exec();
  if (box.clickedButton() == restore) {
    // Restored, the list is unsaved, so the journal stays until a save.
    list_.Guarded([&] { list_.RestoreJournal(found->Bytes); });
    seen_ = list_.Table().ContentRevision();
    written_ = true;
    return;
  }
  if (box.clickedButton() == aside &&
      KeepDiscardedCopy(asideFolder, list_.ListTitle(), found->Bytes, found->Written).empty()) {
    if (tell_)
      tell_("Cannot keep the unsaved changes aside in " + asideFolder +
            ". They stay in the recovery journal " + journal_.Path());
    return;
  }
  // Unanswered (the program was ended meanwhile), the journal stays for the next start.
  if (box.clickedButton() == aside || box.clickedButton() == discard) journal_.Remove();
}

}  // namespace taskwell
