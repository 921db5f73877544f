#include "list/ConflictCopies.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "document/SafeFile.h"
#include "list/RecoveryJournal.h"

namespace taskwell {
namespace fs = std::filesystem;
namespace {

// True when text has the shape: '#' stands for a digit, '@' for a capital or a digit, and any
// other character for itself.
bool HasShape(std::string_view text, std::string_view shape) {
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool digit = c >= '0' && c <= '9';
    const bool ok = shape[i] == '#'   ? digit
                    : shape[i] == '@' ? digit || (c >= 'A' && c <= 'Z')
                                      : c == shape[i];
    if (!ok) return false;
  }
  return true;
}

// What a sync tool puts between the name's stem and its extension in a conflict copy.
bool IsConflictMark(std::string_view mark) {
  if (HasShape(mark, ".sync-conflict-########-######-@@@@@@@") ||
      HasShape(mark, " (conflicted copy ####-##-## ######)"))
    return true;
  // " (Ann's conflicted copy 2026-06-10)": any name without brackets before the words.
  constexpr std::string_view kOpen = " (";
  constexpr std::string_view kClose = " conflicted copy ####-##-##)";
  if (mark.size() < kOpen.size() + kClose.size() || !mark.starts_with(kOpen)) return false;
  const std::string_view who =
      mark.substr(kOpen.size(), mark.size() - kOpen.size() - kClose.size());
  return who.find_first_of("()") == std::string_view::npos &&
         HasShape(mark.substr(mark.size() - kClose.size()), kClose);
}

bool IsConflictCopyOf(std::string_view name, std::string_view stem, std::string_view ext) {
  if (name.size() < stem.size() + ext.size() || !name.starts_with(stem) || !name.ends_with(ext))
    return false;
  return IsConflictMark(name.substr(stem.size(), name.size() - stem.size() - ext.size()));
}

// What the user is told of a merge of conflict copies: the copies merged (with what each
// brought, where it brought anything) and the ones left as they are.
Message MergeReport(bool anyMerged, const std::vector<Message>& merged,
                    const std::vector<std::string>& refused) {
  std::vector<Message> told;
  if (anyMerged) {
    const std::string aside = RecoveryJournal::StateFolder() + "/conflicts";
    told.push_back(
        merged.empty()
            ? Message::Format("Merged the conflict copies a sync tool made. Saving keeps the "
                              "merged list; the copies then move to %1.",
                              aside)
            : Message::Format("Merged the conflict copies a sync tool made: %1. Saving keeps the "
                              "merged list; the copies then move to %2.",
                              Message::Join(merged, ", "), aside));
  }
  if (!refused.empty()) {
    std::string names;
    for (const std::string& name : refused) names += (names.empty() ? "" : ", ") + name;
    told.push_back(Message::Format(
        "These conflict copies cannot be merged cleanly and are left as they are: %1.", names));
  }
  return Message::Join(told, " ");
}

}  // namespace

std::vector<std::string> FindConflictCopies(const std::string& taskFile) {
  const fs::path file(taskFile);
  const std::string stem = file.stem().string();
  const std::string ext = file.extension().string();
  std::vector<std::string> copies;
  std::error_code error;
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    if (IsConflictCopyOf(entry.path().filename().string(), stem, ext))
      copies.push_back(entry.path().string());
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

ConflictMerge MergeConflictCopies(ToDoList& list, const std::vector<std::string>& copies,
                                  const std::string& sharedBase) {
  ConflictMerge merge;
  if (copies.empty()) return merge;
  std::vector<Message> merged;
  std::vector<std::string> refused;
  try {
    for (const std::string& copy : copies) {
      DiskBytes theirs;
      const bool read = ReadWholeFile(copy, theirs.Bytes, &theirs.Stamp);
      // A copy of what the list shows (often this machine's own save) brings nothing new.
      if (read && theirs.Bytes == list.SaveBytes()) {
        merge.Merged.push_back(copy);
        continue;
      }
      const auto result =
          read ? list.Sync().MergeFromCopy(std::move(theirs), sharedBase, false) : std::nullopt;
      if (!result) {
        merge.Refused.push_back(copy);
        refused.push_back(copy);
        continue;
      }
      merge.Merged.push_back(copy);
      merged.push_back(Message::Format("%1 (%2)", copy, MergeSummary(*result)));
    }
    // The file last: the sync tool that made a copy has usually replaced the file too.
    DiskBytes file;
    if (ChangedOnDisk(list.File().Name(), list.File().DiskStamp()) &&
        ReadWholeFile(list.File().Name(), file.Bytes, &file.Stamp) &&
        !list.Sync().MergeFromCopy(std::move(file), sharedBase, true)) {
      refused.push_back(list.File().Name());
    }
  } catch (const WorkCancelled&) {
    // Not now: the copy under way and the ones after it wait, unmerged, for the next change, and
    // the file's own change for the next save.
  }
  merge.Report = MergeReport(!merge.Merged.empty(), merged, refused);
  return merge;
}

std::vector<std::string> MoveCopiesAside(const std::vector<std::string>& copies,
                                         const std::string& folder) {
  std::vector<std::string> left;
  if (!CreatePrivateFolders(folder)) return copies;
  for (const std::string& copy : copies) {
    std::error_code error;
    // Gone already: the sync tool carried another machine's move of it here. Nothing is left to
    // spread.
    if (!fs::exists(fs::symlink_status(copy, error))) continue;
    const fs::path target = fs::path(folder) / fs::path(copy).filename();
    if (fs::exists(target, error)) {
      left.push_back(copy);
      continue;
    }
    fs::rename(copy, target, error);
    if (error) {
      // Another file system: a copy kept first, then the original removed.
      try {
        CopyFileAtomically(copy, target.string());
        fs::remove(copy, error);
      } catch (const std::exception&) {
        left.push_back(copy);
      }
    }
  }
  return left;
}

}  // namespace taskwell
