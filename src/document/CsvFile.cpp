#include "document/CsvFile.h"

#include <algorithm>
#include <utility>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/Text.h"

namespace taskwell {
namespace {

// Control characters as "\x00", so that a message can show them.
std::string VisibleControls(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      shown += c;
      continue;
    }
    shown += "\\x";
    shown += kHex[byte >> 4];
    shown += kHex[byte & 0xF];
  }
  return shown;
}

std::string_view SkipTrimmed(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  return text.substr(i);
}

// Takes a quoted text off the front of `rest`, which starts with its opening quote. A doubled
// quote inside stands for one quote; a single quote ends the text, as in files written before
// quotes were doubled. No closing quote: the text runs to the end.
std::string TakeQuoted(std::string_view& rest) {
  std::string text;
  std::size_t i = 1;
  while (i < rest.size()) {
    // Runs without a quote are copied whole.
    const std::size_t quote = std::min(rest.find('"', i), rest.size());
    text.append(rest, i, quote - i);
    i = quote;
    if (i + 1 >= rest.size() || rest[i + 1] != '"') break;
    text += '"';
    i += 2;
  }
  rest = rest.substr(std::min(i + 1, rest.size()));
  return text;
}

// The line becomes `rest`, a part of it, without a new allocation.
void KeepRest(std::string& line, std::string_view rest) {
  if (rest.empty()) {
    line.clear();
    return;
  }
  const auto start = static_cast<std::size_t>(rest.data() - line.data());
  line.resize(start + rest.size());
  line.erase(0, start);
}

}  // namespace

void CsvFile::OpenRead(const std::string& path) {
  writing_ = false;
  pos_ = 0;
  HadBom = false;
  IsUtf8 = true;
  ReadStamp = FileStamp{};
  CtrlZLine = 0;
  LineNumber = 0;
  Message failure;
  std::string content;
  FileStamp stamp;
  ContentScan scan;
  if (!ReadWholeFile(path, content, &stamp, &failure, &scan)) {
    IsOpen = false;
    read_.reset();
    AtEnd = true;
    throw EFileError(kFileNotOpen, failure);
  }
  OpenReadBytes(std::move(content), stamp, &scan);
}

void CsvFile::OpenReadBytes(std::string content, const FileStamp& stamp,
                            const ContentScan* scanned) {
  scan_ = scanned != nullptr ? *scanned : ContentScan::Of(content);
  writing_ = false;
  pos_ = 0;
  HadBom = false;
  IsUtf8 = true;
  CtrlZLine = 0;
  LineNumber = 0;
  ReadStamp = stamp;
  IsOpen = true;
  // A Ctrl+Z marks the end of old DOS files; one inside the text would otherwise hide the rest.
  const std::size_t eof = scan_.FirstCtrlZ();
  const bool textAfterEof = eof != std::string::npos &&
                            content.find_first_not_of("\x1A \t\r\n", eof) != std::string::npos;
  if (eof != std::string::npos) content.resize(eof);
  linesEndAtCr_ = content.find('\n') == std::string::npos;
  if (textAfterEof) {
    CtrlZLine = 1 + static_cast<int>(CountByte(content, linesEndAtCr_ ? '\r' : '\n'));
  }
  if (content.starts_with(kByteOrderMark)) {
    HadBom = true;
    pos_ = kByteOrderMark.size();
  }
  // The mark is itself UTF-8, and no character runs on past a Ctrl+Z.
  IsUtf8 = scan_.Utf8Before(content.size());
  AtEnd = pos_ >= content.size();
  read_ = std::make_shared<const std::string>(std::move(content));
}

const std::string& CsvFile::Content() const {
  static const std::string kNothing;
  return read_ ? *read_ : kNothing;
}

void CsvFile::ContentToUtf8() {
  read_ = std::make_shared<const std::string>(Cp1252ToUtf8(Content()));
  IsUtf8 = true;
  scan_ = ContentScan::Of(*read_);
}

std::string_view NextTaskFileLine(std::string_view content, std::size_t& pos, bool linesEndAtCr) {
  // A line ends at LF, with a CR before it not part of the line. A file without any LF is from an
  // old Mac and ends its lines in a CR alone; elsewhere a lone CR is part of a description.
  std::size_t end = content.find(linesEndAtCr ? '\r' : '\n', pos);
  std::size_t next = end + 1;
  if (end == std::string_view::npos) end = next = content.size();
  if (!linesEndAtCr && end > pos && content[end - 1] == '\r') --end;
  const std::string_view line = content.substr(pos, end - pos);
  pos = next;
  return line;
}

void CsvFile::ReadLine() {
  if (!IsOpen || writing_ || pos_ >= Content().size()) return;
  Line = NextLine();
}

std::string_view CsvFile::NextLine() {
  const std::string& content = Content();
  if (!IsOpen || writing_ || pos_ >= content.size()) return {};
  const std::string_view line = NextTaskFileLine(content, pos_, linesEndAtCr_);
  AtEnd = pos_ >= content.size();
  ++LineNumber;
  return line;
}

std::size_t CsvFile::LineStartAfter(std::size_t pos) const {
  const std::string& content = Content();
  const std::size_t end = content.find(linesEndAtCr_ ? '\r' : '\n', pos);
  return end == std::string::npos || end + 1 >= content.size() ? std::string::npos : end + 1;
}

void CsvFile::SkipTo(std::size_t pos, int lines) {
  pos_ = std::min(pos, Content().size());
  LineNumber += lines;
  AtEnd = pos_ >= Content().size();
}

std::size_t CsvFile::LinesFrom(std::size_t pos) const {
  const std::string& content = Content();
  if (writing_ || pos >= content.size()) return 0;
  return 1 + LineEndsBetween(pos, content.size());
}

std::size_t CsvFile::LineEndsBetween(std::size_t from, std::size_t to) const {
  const std::string_view content = Content();
  to = std::min(to, content.size());
  if (from >= to) return 0;
  if (linesEndAtCr_) return CountByte(content.substr(from, to - from), '\r');
  return scan_.CountLf(content, from, to);
}

std::size_t CsvFile::LinesBefore(std::size_t pos) const {
  return writing_ ? 0 : LineEndsBetween(pos_, pos);
}

std::string CsvFile::ReadField() {
  if (TrimView(Line).empty()) return {};
  // Only leading characters go here: trailing ones may belong to a description further on.
  std::string_view rest = SkipTrimmed(Line);
  LastFieldOnlyControls = false;
  std::string field;
  if (rest.front() == '"') {
    field = TakeQuoted(rest);
    rest = SkipTrimmed(rest);
    if (!rest.empty() && rest.front() == ',') rest = TrimBlanksView(rest.substr(1));
  } else {
    const std::size_t comma = rest.find(',');
    field = std::string(rest.substr(0, comma));
    const std::string_view raw(Line.data(), static_cast<std::size_t>(rest.data() - Line.data()) +
                                                std::min(comma, rest.size()));
    LastFieldOnlyControls =
        TrimView(field).empty() && raw.find_first_not_of(" \t") != std::string_view::npos;
    if (LastFieldOnlyControls) lastRawField_ = raw;
    // Blanks only: a description that follows keeps its other control characters.
    rest = comma == std::string_view::npos ? std::string_view()
                                           : TrimBlanksView(rest.substr(comma + 1));
  }
  KeepRest(Line, rest);
  return Trim(field);
}

std::string CsvFile::ReadDescription() {
  LeftOver.clear();
  std::string_view rest = TrimBlanksView(Line);
  if (rest.empty() || rest.front() != '"') {
    // Unquoted, it runs to the end of the line: a comma in it is no field separator, as nothing
    // follows a description.
    std::string field(rest);
    Line.clear();
    return field;
  }
  std::string field = TakeQuoted(rest);
  // Empty trailing fields lose nothing; any other text is more than one cell can keep.
  if (const std::size_t text = rest.find_first_not_of(" \t,"); text != std::string_view::npos) {
    LeftOver = std::string(rest.substr(text));
  }
  Line.clear();
  const std::string_view trimmed = TrimBlanksView(field);
  if (trimmed.size() == field.size()) return field;
  return std::string(trimmed);
}

Fixed4 CsvFile::ReadNumber() {
  const std::string field = ReadField();
  LastFieldEmpty = field.empty();
  if (LastFieldEmpty) return 0;
  return TextToNumber(field, dates_->Regional().DecimalSeparator);
}

double DateOfField(const DateFormat& dates, std::string_view field) {
  if (field.empty()) return 0;
  // Only the regional separator makes a date: "7/6/26" from a month-first region is not a date
  // here when the region writes "07.06.2026", as reading it in this region's order could move it
  // to another day without a word.
  const char separators[] = {'/', '-', dates.Regional().DateSeparator};
  if (field.find_first_of(std::string_view(separators, sizeof separators)) !=
      std::string_view::npos) {
    return dates.ParseShortDate(field);
  }
  // A day number counts from 1 January 1600.
  const double date = TextToDouble(field, dates.Regional().DecimalSeparator) - 109571;
  if (!IsDateValueInRange(date)) ThrowNotValid(field, "date");
  return date;
}

double CsvFile::ReadDate() {
  const std::string field = ReadField();
  // Bytes that are no date are refused rather than read as "no date" and lost at the next save.
  if (LastFieldOnlyControls) ThrowNotValid(VisibleControls(lastRawField_), "date");
  return DateOfField(*dates_, field);
}

void CsvFile::OpenWrite(const std::string& path) {
  writing_ = true;
  Line.clear();
  AtLineStart = true;
  IsOpen = writer_.Open(path);
  if (IsOpen && WriteBom) writer_.Append(kByteOrderMark);
}

void CsvFile::OpenWriteInMemory() {
  writing_ = true;
  toMemory_ = true;
  IsOpen = true;
  Line.clear();
  AtLineStart = true;
  content_ = WriteBom ? std::string(kByteOrderMark) : std::string();
}

void CsvFile::ReserveWritten(std::size_t bytes) {
  if (toMemory_) content_.reserve(bytes);
}

std::string CsvFile::TakeWritten() {
  IsOpen = false;
  writing_ = false;
  toMemory_ = false;
  return std::move(content_);
}

std::string& CsvFile::StartField() {
  // In memory the line goes straight to the content; a file gets it whole at the line's end.
  std::string& out = toMemory_ ? content_ : Line;
  if (!AtLineStart) out += ',';
  AtLineStart = false;
  return out;
}

void CsvFile::WriteField(std::string_view text) {
  StartField() += text;
}

void CsvFile::WriteQuoted(std::string_view text) {
  std::string& out = StartField();
  out += '"';
  for (std::size_t start = 0;;) {
    const std::size_t quote = text.find('"', start);
    if (quote == std::string_view::npos) {
      out += text.substr(start);
      break;
    }
    out += text.substr(start, quote + 1 - start);
    out += '"';
    start = quote + 1;
  }
  out += '"';
}

std::string CsvFile::NumberField(Fixed4 value, char decimalSeparator) {
  const std::string text = NumberText(value, decimalSeparator);
  // A decimal comma would split the number into two fields.
  return text.find(',') != std::string::npos ? "\"" + text + "\"" : text;
}

void CsvFile::WriteNumber(Fixed4 value) {
  WriteField(NumberField(value, dates_->Regional().DecimalSeparator));
}

std::string CsvFile::DateField(const DateFormat& dates, double date) {
  return date == 0 ? std::string() : dates.FileDateText(date);
}

void CsvFile::WriteDate(double date) {
  WriteField(DateField(*dates_, date));
}

void CsvFile::EndLine() {
  if (!IsOpen) return;
  if (toMemory_) {
    content_ += "\r\n";
  } else {
    Line += "\r\n";
    writer_.Append(Line);
    Line.clear();
  }
  AtLineStart = true;
}

void CsvFile::Close() {
  const bool wasOpen = IsOpen;
  IsOpen = false;
  if (!writing_) {
    read_.reset();
    if (!wasOpen) throw EInOutError(kFileNotOpen);
    return;
  }
  writing_ = false;
  // Without an open file the writer throws the reason it could not open one.
  WrittenStamp = writer_.Commit();
}

}  // namespace taskwell
