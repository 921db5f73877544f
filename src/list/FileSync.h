#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/LineMerge.h"
#include "document/Message.h"
#include "document/Progress.h"
#include "document/SafeFile.h"
#include "document/TaskFile.h"

namespace taskwell {

class ToDoList;
struct MergeSides;
struct LoadedFile;
struct OurLines;
struct SideRow;

// A merge of the file as changed elsewhere with this list: the rows to show and save, and what it
// took from each side.
struct MergedFile {
  TaskRows Rows;      // the header row first
  std::string Bytes;  // the rows as a save writes them
  LineMergeResult Result;
  DiskBytes Theirs;  // the file as read, the base of any later change
  bool ChangedElsewhere = false;
};

// No header line, or not even one whole line: what a partial write or a truncation leaves.
bool LooksCutShort(std::string_view bytes);

// The list kept in step with its file as others change it (a sync tool, another window, a crash):
// the reload of a list with nothing unsaved, the three-way merge with a conflict copy or at save,
// and the return of a recovery journal's list. It changes the list's table as one of its handlers.
class FileSync {
 public:
  explicit FileSync(ToDoList& list) : list_(list) {}
  FileSync(const FileSync&) = delete;
  FileSync& operator=(const FileSync&) = delete;

  // The file settled after a change: a list with nothing unsaved reloads it. A file that would load
  // only partly is not loaded, and the user is told once per change. True when it reloaded.
  bool FileChangedOnDisk();
  // Merges another version of the list (a sync tool's conflict copy, or the file itself) into the
  // table by the three-way rules, with `sharedBase` as the state both sides started from. For the
  // file itself, its bytes become the base of the next save. Nothing when it cannot be merged;
  // WorkCancelled, with nothing changed, when the user cancels a long merge.
  std::optional<LineMergeResult> MergeFromCopy(DiskBytes theirs, const std::string& sharedBase,
                                               bool isTheFile);
  // Shows the list a recovery journal kept, as one undoable change; the file stays as it is.
  void RestoreJournal(const std::string& bytes);
  // Whether a save would write anything other than what was last read or written.
  bool HasUnsavedChanges() const;
  // The table's content revision when a save last wrote what it shows.
  std::optional<std::uint64_t> WrittenRevision() const;

 private:
  friend class ToDoList;  // the save merges, and a new table drops what was kept of the old

  // Whether the file, as another program left it, lost what the list holds: emptied, shorter
  // than its header, or without one, while the list has tasks.
  bool CutShortOnDisk(const std::string& theirs) const;
  // The save's merge with a change made elsewhere, where one can be trusted.
  std::optional<MergedFile> PrepareMerge();
  // The merge of `theirs` with the list, both changed from `base`. Long work shows its progress;
  // throws WorkCancelled when the user cancels it, with nothing changed.
  std::optional<MergedFile> PrepareMergeWith(const std::string& base, DiskBytes theirs);
  // Shows the merge, saves it and says what it did. False when the save did not happen.
  bool SaveMerged(MergedFile& merged);
  // Whether the table shows the base unchanged: what a save would write equals the base, or the
  // base as it loads, however another program wrote it.
  bool ShowsBaseAsLoaded();
  // Shows the file as loaded again, keeping the cursor on its task, the sort mode and the
  // column widths; `loaded` is left empty.
  void ReloadTaskFile(TaskFile& loadedFile, LoadedRows& loaded);
  // The table becomes these rows (the header row first), as after a load, keeping the cursor on
  // its task, the sort mode and the column widths.
  void ReplaceRowsKeepingView(TaskRows rows, bool hasProjCol);
  // The bytes loaded by this list's rules; null, with the reason, when they do not load whole.
  std::unique_ptr<LoadedFile> LoadedCopy(const DiskBytes& bytes, Message& failure) const;
  // The lines of the three sides: each side loaded whole and written again, or, for files in
  // this list's own form, only the lines that are not already ours. False where the sides cannot
  // be compared.
  bool LoadMergeSides(const std::string& base, const std::string& theirBytes, MergeSides& sides,
                      const Progress& progress);
  bool QuickMergeSides(const std::string& base, const std::string& theirBytes, MergeSides& sides,
                       const Progress& progress);
  // One side read line by line: a line that is one of ours is taken as it is, the others are
  // loaded together. False where the side is not in this list's own form.
  bool ReadQuickSide(const OurLines& ours, const std::string& bytes, MergeSides& sides,
                     std::vector<std::string_view>& lines, std::vector<int>& ids,
                     std::vector<SideRow>* rows, const Progress& progress);
  bool RenderMine(MergeSides& sides) const;
  // Tells the user once per changed file why it was not reloaded.
  void TellNotReloaded(std::uint64_t hash, const Message& message);

  ToDoList& list_;
  // The content of the changed file a reload last refused to load partly, so it is told once.
  std::optional<std::uint64_t> partialReloadTold_;
  // What a save would have written right after the base was loaded, for the base of this hash.
  std::optional<std::string> baseAsLoaded_;
  std::uint64_t baseAsLoadedHash_ = 0;
};

}  // namespace taskwell
