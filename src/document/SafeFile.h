#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace taskwell {

// What a file looked like when we last read or wrote it, to notice changes made by others.
struct FileStamp {
  bool Exists = false;
  std::uint64_t Size = 0;
  std::int64_t ModifiedNs = 0;
  std::uint64_t Hash = 0;
};

std::uint64_t ContentHash(std::string_view bytes);
// The stamp of the file as it is now; the hash is computed only when size or time differ from
// `known`, since only then can the content have changed.
FileStamp CurrentStamp(const std::string& path, const FileStamp& known);
// True when the file on disk is not the one described by `known`: changed, or created since.
bool ChangedOnDisk(const std::string& path, const FileStamp& known);

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& bytes, FileStamp* stamp = nullptr);

// Replaces a file whole or leaves it as it was: the bytes go to a temporary file in the same
// folder, which is flushed to disk and renamed over the target. Permission bits (and the owner
// where allowed) are kept, and a symbolic link keeps pointing at the updated file.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // Creates the temporary file; false when that is impossible (missing or read-only folder).
  bool Open(const std::string& path);
  bool IsOpen() const { return Fd >= 0; }
  void Append(std::string_view bytes) { Buffer.append(bytes); }
  // Writes, syncs and renames; throws EInOutError and removes the temporary file on failure.
  FileStamp Commit();
  // Drops the temporary file.
  void Abandon();

 private:
  std::string Target;
  std::string TempPath;
  std::string Buffer;
  int Fd = -1;
};

// Writes a copy of a file's present bytes to another path, atomically.
void CopyFileAtomically(const std::string& from, const std::string& to);

}  // namespace taskwell
