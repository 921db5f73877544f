#pragma once

#include <string>

#include "document/DateText.h"
#include "document/Message.h"
#include "document/Platform.h"
#include "list/RecoveryJournal.h"
#include "list/ToDoList.h"

namespace taskwell {

// The tasks a copy of `file` holds, read by the file's own rules; 0 for one that cannot be read.
int TasksInCopy(const DateFormat& dates, const std::string& file, const std::string& bytes);
// "1 task", "2 tasks".
Message TaskCount(int tasks);

// At start-up, a task file found missing, empty or cut short while the copy of it kept beside the
// recovery journal holds tasks: a sync tool's partial write or a mistaken ": >" while the program
// was not running. The user is asked whether to bring those tasks back (one change that Undo takes
// back) instead of being shown an empty list without a word. True when they were restored; the list
// is then unsaved until a save writes them back.
bool OfferLastKnownCopy(ToDoList& list, Platform& ui, const RecoveryJournal& journal);

}  // namespace taskwell
