#include "app/JournalKeeper.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "app/DiscardedCopy.h"
#include "app/Translations.h"
#include "list/ConflictCopies.h"

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
                             std::function<void(const Message&)> tell, QObject* parent)
    : QObject(parent),
      list_(list),
      journal_(stateFolder, list.File().Name()),
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
  FinishWrite();
}

void JournalKeeper::Tick() {
  // A write that failed beside the event loop is told here.
  if (writing_.valid() && writing_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
    Tell(FinishWrite(), false);
  }
  const std::uint64_t revision = list_.Table().ContentRevision();
  if (revision != seen_) {
    // Still changing: wait for a tick without a change.
    seen_ = revision;
    pending_ = true;
    return;
  }
  const bool saved = list_.Sync().WrittenRevision() == revision;
  if (pending_ || (written_ && saved)) {
    pending_ = false;
    KeepNow();
  }
  if (saved && !mergedCopies_.empty()) {
    // The merged list is in the file now, and the sync tool carries it to the other machines.
    const std::vector<std::string> left =
        MoveCopiesAside(mergedCopies_, RecoveryJournal::StateFolder() + "/conflicts");
    RememberShared();
    mergedCopies_.clear();
    if (!left.empty() && tell_) {
      std::string names;
      for (const std::string& copy : left) names += (names.empty() ? "" : ", ") + copy;
      tell_(
          Message::Format("Cannot move these merged conflict copies into %1: %2. Their tasks "
                          "are in the list; remove them by hand",
                          RecoveryJournal::StateFolder() + "/conflicts", names));
    }
  }
}

void JournalKeeper::RememberShared() {
  // Most starts find it as the last run left it; reading it back is cheaper than two flushes to
  // disk, and it is read a piece at a time, not whole beside the list's own bytes.
  if (journal_.SharedHolds(list_.File().BaseBytes())) return;
  try {
    journal_.WriteShared(list_.File().BaseBytes());
  } catch (const std::exception&) {
    // Without it, the file as last read serves as the base.
  }
}

std::string JournalKeeper::SharedBase() const {
  const std::optional<std::string> shared = journal_.Shared();
  return shared ? *shared : list_.File().BaseBytes();
}

void JournalKeeper::AddMergedCopies(const std::vector<std::string>& copies) {
  for (const std::string& copy : copies) {
    if (std::find(mergedCopies_.begin(), mergedCopies_.end(), copy) == mergedCopies_.end())
      mergedCopies_.push_back(copy);
  }
}

bool JournalKeeper::KeepNow(bool quiet) {
  // A write still running finishes first, so that journals land in the order they were made.
  Message failure = FinishWrite();
  try {
    std::string bytes;
    const bool unsaved = list_.Sync().WrittenRevision() != list_.Table().ContentRevision() &&
                         (bytes = list_.SaveBytes()) != list_.File().BaseBytes();
    if (unsaved && quiet) {
      journal_.Write(std::move(bytes));
    } else if (unsaved) {
      // The flush to disk is the slow part; it runs beside the event loop.
      writing_ = std::async(std::launch::async, [this, bytes = std::move(bytes)]() mutable {
        try {
          journal_.Write(std::move(bytes));
        } catch (const std::exception& e) {
          return ShownText(e);
        }
        return Message();
      });
    } else if (written_) {
      Remove();
    }
    written_ = written_ || unsaved;
  } catch (const std::exception& e) {
    failure = ShownText(e);
  }
  Tell(failure, quiet);
  return failure.Empty();
}

Message JournalKeeper::FinishWrite() {
  if (!writing_.valid()) return {};
  return writing_.get();
}

void JournalKeeper::Tell(const Message& failure, bool quiet) {
  if (failure.Empty()) {
    failureTold_ = false;
    return;
  }
  if (quiet || failureTold_ || !tell_) return;
  failureTold_ = true;
  tell_(Message::Format(
      "%1. Until it can be written, unsaved changes are lost if the program ends without a save",
      failure));
}

void JournalKeeper::Remove() {
  FinishWrite();
  journal_.Remove();
  written_ = false;
}

void JournalKeeper::OfferFound(QWidget* parent, const std::string& asideFolder) {
  const std::optional<RecoveryJournal::Entry> found = journal_.Find();
  if (!found) return;
  const std::string shown = list_.SaveBytes();
  if (found->Bytes == shown || found->Bytes == list_.File().BaseBytes()) {
    journal_.Remove();
    return;
  }
  QMessageBox box(
      QMessageBox::Question, Q(list_.ListTitle()),
      Translations::Translated(Message::Format(
          "Taskwell ended on %1 with unsaved changes to %2, kept in %3: %4.\r\nRestore them into "
          "the list (Undo takes them back again), keep them aside in %5, or discard them?",
          LocalTime(found->Written), list_.File().Name(), journal_.Path(),
          JournalDifference(shown, found->Bytes), asideFolder)),
      QMessageBox::NoButton, parent);
  QPushButton* restore =
      box.addButton(QCoreApplication::translate("taskwell", "&Restore"), QMessageBox::AcceptRole);
  QPushButton* aside = box.addButton(QCoreApplication::translate("taskwell", "&Keep aside"),
                                     QMessageBox::ActionRole);
  QPushButton* discard = box.addButton(QCoreApplication::translate("taskwell", "&Discard"),
                                       QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.setObjectName(QStringLiteral("RecoveryQuestion"));
  box.exec();
  if (box.clickedButton() == restore) {
    // Restored, the list is unsaved, so the journal stays until a save.
    list_.Guarded([&] { list_.Sync().RestoreJournal(found->Bytes); });
    seen_ = list_.Table().ContentRevision();
    written_ = true;
    return;
  }
  if (box.clickedButton() == aside &&
      KeepDiscardedCopy(asideFolder, list_.ListTitle(), found->Bytes, found->Written).empty()) {
    if (tell_)
      tell_(Message::Format(
          "Cannot keep the unsaved changes aside in %1. They stay in the recovery journal %2",
          asideFolder, journal_.Path()));
    return;
  }
  // Unanswered (the program was ended meanwhile), the journal stays for the next start.
  if (box.clickedButton() == aside || box.clickedButton() == discard) journal_.Remove();
}

}  // namespace taskwell
