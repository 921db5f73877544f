#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "list/RecoveryJournal.h"
#include "list/ToDoList.h"

class QWidget;

namespace taskwell {

// Keeps the list's recovery journal current: a second or two after the last change, what a save
// would write goes to the journal while anything is unsaved, and the journal goes once nothing
// is. The work waits for the typing to pause, so it never runs between two key presses.
class JournalKeeper final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 1000;

  // `tell` shows a failure to keep the journal; it is told once until the journal works again.
  JournalKeeper(ToDoList& list, const std::string& stateFolder,
                std::function<void(const Message&)> tell, QObject* parent = nullptr);
  ~JournalKeeper() override;

  const RecoveryJournal& Journal() const { return journal_; }
  // Brings the journal up to date at once; false when it had to be written and could not.
  // `quiet` keeps a failure from being shown (no display is left to show it on).
  bool KeepNow(bool quiet = false);
  // A clean end: nothing needs recovering.
  void Remove();
  // At start-up: a journal left by a program that ended unsaved is offered to the user, who may
  // restore it into the list, keep it aside in `asideFolder`, or discard it.
  void OfferFound(QWidget* parent, const std::string& asideFolder);

  // The file as last read: the state shared with other machines, as far as this one knows.
  void RememberShared();
  std::string SharedBase() const;
  // Conflict copies merged into the list; the next successful save moves them aside.
  void AddMergedCopies(const std::vector<std::string>& copies);
  const std::vector<std::string>& MergedCopies() const { return mergedCopies_; }

 private:
  void Tick();
  // Waits for a write running beside the event loop; its failure, or "".
  Message FinishWrite();
  void Tell(const Message& failure, bool quiet);

  ToDoList& list_;
  RecoveryJournal journal_;
  std::function<void(const Message&)> tell_;
  QTimer timer_;
  std::uint64_t seen_ = 0;
  bool pending_ = false;
  bool written_ = false;
  bool failureTold_ = false;
  std::vector<std::string> mergedCopies_;
  std::future<Message> writing_;
};

}  // namespace taskwell
