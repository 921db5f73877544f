#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "document/ContentScan.h"
#include "document/DateText.h"
#include "document/NumberText.h"
#include "document/SafeFile.h"

namespace taskwell {

// The line of a task file's content that starts at `pos`, which moves on to the next line. Lines
// end at LF (a CR before it is not part of the line), or at a CR alone where linesEndAtCr.
std::string_view NextTaskFileLine(std::string_view content, std::size_t& pos, bool linesEndAtCr);

// The date a task file's date field holds (trimmed): a short date in the regional form, a day
// number, or 0 for an empty field. Throws EConvertError for anything else.
double DateOfField(const DateFormat& dates, std::string_view field);

// The line-oriented codec of the task file: one file at a time, reading or writing.
class CsvFile {
 public:
  explicit CsvFile(const DateFormat& dates) : dates_(&dates) {}

  bool IsOpen = false;
  bool AtEnd = true;
  std::string Line;
  bool LastFieldEmpty = false;
  // The last field read held nothing but control characters other than blanks (a NUL, say),
  // which the trimming took away.
  bool LastFieldOnlyControls = false;
  bool AtLineStart = true;

  // What the last OpenRead found: a byte-order mark, valid UTF-8 throughout, and the file's stamp.
  bool HadBom = false;
  bool IsUtf8 = true;
  FileStamp ReadStamp;
  // A Ctrl+Z followed by more than blanks ends the readable file early: the line it is in, else 0.
  int CtrlZLine = 0;
  // The number of the line ReadLine last gave, from 1.
  int LineNumber = 0;
  // What the last ReadDescription found after a quoted description and could not keep.
  std::string LeftOver;
  // Whether writing starts with a UTF-8 byte-order mark.
  bool WriteBom = false;
  // Set by Close after writing.
  FileStamp WrittenStamp;

  void OpenRead(const std::string& path);
  // Reads bytes already in memory as if they were the file with this stamp; `scanned`, when
  // given, is their scan, complete.
  void OpenReadBytes(std::string content, const FileStamp& stamp,
                     const ContentScan* scanned = nullptr);
  void ReadLine();
  // The next line, as ReadLine gives it, without copying it into Line.
  std::string_view NextLine();
  // Where the next line to read starts in Content().
  std::size_t Position() const { return pos_; }
  // Where the first line after byte `pos` of Content() starts; npos when none does.
  std::size_t LineStartAfter(std::size_t pos) const;
  // Goes on reading at `pos`, a line start, `lines` lines further on.
  void SkipTo(std::size_t pos, int lines);
  bool LinesEndAtCr() const { return linesEndAtCr_; }
  // No more lines than this start at `pos`, a line start, or after it: for sizing a table before
  // it is filled.
  std::size_t LinesFrom(std::size_t pos) const;
  // The lines from here to `pos`, a line start: as many as are read before it.
  std::size_t LinesBefore(std::size_t pos) const;
  std::string ReadField();
  // The last field of a task line: a quoted text, or the rest of the line as it stands, commas
  // included. Only blanks are trimmed.
  std::string ReadDescription();
  Fixed4 ReadNumber();
  double ReadDate();

  void OpenWrite(const std::string& path);
  // Writing into memory instead of a file; TakeWritten ends it and hands over the bytes.
  void OpenWriteInMemory();
  std::string TakeWritten();
  // Room for this many bytes of writing into memory.
  void ReserveWritten(std::size_t bytes);
  // The bytes of the file being read, whole, until Close.
  const std::string& Content() const;
  // The same bytes, to be kept beyond Close.
  std::shared_ptr<const std::string> SharedContent() const { return read_; }
  // Reads a single-byte (Windows-1252) file on as UTF-8; call right after OpenRead.
  void ContentToUtf8();
  void WriteField(std::string_view text);
  void WriteQuoted(std::string_view text);
  void WriteNumber(Fixed4 value);
  // The field WriteNumber writes for `value`.
  static std::string NumberField(Fixed4 value, char decimalSeparator);
  void WriteDate(double date);
  // The field WriteDate writes for `date`: nothing for 0.
  static std::string DateField(const DateFormat& dates, double date);
  void EndLine();

  // Closing a file that is not open is the I/O failure 103. After writing, this is where the new
  // file replaces the old one.
  void Close();

 private:
  std::string lastRawField_;
  // Where the next field goes, after the comma that separates it from the one before.
  std::string& StartField();
  // The line ends in Content()[from, to).
  std::size_t LineEndsBetween(std::size_t from, std::size_t to) const;

  const DateFormat* dates_;
  bool writing_ = false;
  bool toMemory_ = false;
  std::shared_ptr<const std::string> read_;
  // Of the content as it was read, before any Ctrl+Z cut it short.
  ContentScan scan_;
  // What is written into memory.
  std::string content_;
  std::size_t pos_ = 0;
  // Old Mac files end their lines in a CR alone; in any other file a CR is text.
  bool linesEndAtCr_ = false;
  AtomicFileWriter writer_;
};

}  // namespace taskwell
