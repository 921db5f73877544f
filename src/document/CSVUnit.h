#pragma once

#include <string>
#include <string_view>

#include "document/DateText.h"
#include "document/NumberText.h"
#include "document/SafeFile.h"

namespace taskwell {

// The line-oriented codec of the task file: one file at a time, reading or writing.
class TCSV {
 public:
  explicit TCSV(const DateFormat& dates) : Dates(&dates) {}

  bool IsOpen = false;
  bool AtEnd = true;
  std::string Line;
  bool LastFieldEmpty = false;
  bool AtLineStart = true;

  // What the last OpenRead found: a byte-order mark, valid UTF-8 throughout, and the file's stamp.
  bool HadBom = false;
  bool IsUtf8 = true;
  FileStamp ReadStamp;
  // Whether writing starts with a UTF-8 byte-order mark.
  bool WriteBom = false;
  // Set by Close after writing.
  FileStamp WrittenStamp;

  void OpenRead(const std::string& path);
  void ReadLine();
  std::string ReadField();
  Fixed4 ReadNumber();
  double ReadDate();

  void OpenWrite(const std::string& path);
  void WriteField(std::string_view text);
  void WriteQuoted(std::string_view text);
  void WriteNumber(Fixed4 value);
  void WriteDate(double date);
  void EndLine();

  // Closing a file that is not open is the I/O failure 103. After writing, this is where the new
  // file replaces the old one.
  void Close();

 private:
  const DateFormat* Dates;
  bool Writing = false;
  std::string Content;
  std::size_t Pos = 0;
  AtomicFileWriter Writer;
};

}  // namespace taskwell
