#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/ContentScan.h"
#include "document/Errors.h"

namespace taskwell {

// A file failure in words: what could not be done to which file, and why ("Cannot read
// /home/ann/list.todo: permission denied"). Code keeps the classic number for callers that sort
// failures by it.
class EFileError : public EInOutError {
 public:
  EFileError(int code, Message message);
};

// The reason for a failed system call, in lower-case words that read after "Cannot save X: ".
Message FileErrorReason(int error);

// Nothing larger is read into memory: a task file of this size is not a task file.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

// What a file looked like when we last read or wrote it, to notice changes made by others.
struct FileStamp {
  bool Exists = false;
  std::uint64_t Size = 0;
  std::int64_t ModifiedNs = 0;
  std::int64_t ChangedNs = 0;  // the inode's change time, which tools cannot set back
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::uint64_t Hash = 0;
  bool Hashed = false;  // false when the content could not be read
};

// The file was renamed into place, so it holds the new bytes, but its folder could not be flushed:
// the save may not survive a power cut. Written() is the new file's stamp.
class EIncompleteFlush final : public EFileError {
 public:
  EIncompleteFlush(const FileStamp& written, Message message);
  const FileStamp& Written() const { return written_; }

 private:
  FileStamp written_;
};

// What running out of memory during a save of `path` tells the user.
EFileError OutOfMemoryOnSave(const std::string& path);

// A fast 64-bit hash of the bytes; stable across versions (recovery journals are named by it).
std::uint64_t ContentHash(std::string_view bytes);
// The stamp of the file as it is now. The content is hashed again unless size, modification and
// change times and the inode all agree with `known`: tools that copy with the times kept still
// change the inode or its change time.
FileStamp CurrentStamp(const std::string& path, const FileStamp& known);
// True when the file on disk is not the one described by `known`: changed, created since, or no
// longer readable.
bool ChangedOnDisk(const std::string& path, const FileStamp& known);

// Writes all of bytes to a descriptor, carrying on after interruptions; false with errno set
// when the system refuses.
bool WriteAll(int fd, std::string_view bytes);

// Whether the regular file at `path` holds exactly these bytes, read a piece at a time rather
// than whole beside them; false when it cannot be read.
bool FileHoldsBytes(const std::string& path, std::string_view bytes);

// Reads a whole regular file of at most kMaxFileBytes. Pipes, devices and folders are refused
// without blocking. False on failure, with the reason in words in `failure` when given. A `scan`
// given is made of the bytes as they come in.
bool ReadWholeFile(const std::string& path, std::string& bytes, FileStamp* stamp = nullptr,
                   Message* failure = nullptr, ContentScan* scan = nullptr);

// What replacing a file would do beyond changing its content, for the save to ask first.
struct ReplaceCheck {
  bool Exists = false;
  // Non-empty when the file must not be replaced: not a regular file, or not writable by us.
  Message Refusal;
  // Hard links besides the name being saved; they keep the old content after the save.
  unsigned long OtherNames = 0;
  // Properties an ordinary user cannot give the new file ("its owner (user 1000)").
  std::vector<std::string> CannotKeep;
};
ReplaceCheck CheckReplace(const std::string& path);

// Replaces a file whole or leaves it as it was: the bytes go to a temporary file in the same
// folder, which is flushed to disk and renamed over the target. Owner and group (where allowed),
// permission bits and extended attributes are kept. A symbolic link keeps pointing at the
// updated file, and a dangling one gets the file it names. A file the user may not write, and
// anything that is not a regular file, is refused.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // Creates the temporary file; false when that is impossible, with the reason in Failure().
  bool Open(const std::string& path);
  // Like Open, for a file that must not exist yet: the new file gets `mode`, and Commit fails
  // rather than replace a file that appeared meanwhile.
  bool OpenNew(const std::string& path, mode_t mode);
  bool IsOpen() const { return fd_ >= 0; }
  const Message& Failure() const { return openFailure_; }
  void Append(std::string_view bytes) { buffer_.append(bytes); }
  // Appends by taking the bytes over, without a copy when nothing was appended before.
  void AppendTaken(std::string&& bytes);
  // Writes, syncs and renames; throws EFileError and removes the temporary file on failure, and
  // EIncompleteFlush when only the folder's flush after the rename failed.
  // `giveBack`, when given, gets the bytes back instead of their being freed.
  FileStamp Commit(std::string* giveBack = nullptr);
  // After Commit: what the old file had and the new one could not get.
  const std::vector<std::string>& NotKept() const { return lost_; }
  // Drops the temporary file.
  void Abandon();

 private:
  bool Begin(const std::string& path);
  [[noreturn]] void Fail(int error);
  void KeepProperties(const struct stat& existing);
  // Writes the buffer, gives the file its properties, flushes and closes it.
  struct stat WriteAndClose();

  std::string given_;
  std::string target_;
  std::string tempPath_;
  std::string folder_;
  std::string buffer_;
  Message openFailure_;
  std::vector<std::string> lost_;
  int fd_ = -1;
  bool createOnly_ = false;
  mode_t newMode_ = 0;
};

// Writes a copy of a file's present bytes and permission bits to a path that must not exist yet.
void CopyFileAtomically(const std::string& from, const std::string& to);

// Keeps the present file under another name before it is overwritten: a hard link costs nothing
// and needs no read access; where links are impossible, the bytes are copied with the file's
// permission bits. An existing backup is never replaced: it may hold the only copy of tasks.
void KeepBackup(const std::string& file, const std::string& backup);

}  // namespace taskwell
