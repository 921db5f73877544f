#include "document/CSVUnit.h"

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/Text.h"

namespace taskwell {
namespace {

constexpr char kCtrlZ = 26;
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr int kFileNotOpen = 103;

}  // namespace

void TCSV::OpenRead(const std::string& path) {
  Writing = false;
  Pos = 0;
  HadBom = false;
  IsUtf8 = true;
  ReadStamp = FileStamp{};
  IsOpen = ReadWholeFile(path, Content, &ReadStamp);
  if (!IsOpen) {
    Content.clear();
    AtEnd = true;
    return;
  }
  if (const std::size_t eof = Content.find(kCtrlZ); eof != std::string::npos) Content.resize(eof);
  if (Content.starts_with(kBom)) {
    HadBom = true;
    Pos = kBom.size();
  }
  IsUtf8 = IsValidUtf8(std::string_view(Content).substr(Pos));
  AtEnd = Pos >= Content.size();
}

void TCSV::ReadLine() {
  if (!IsOpen || Writing || Pos >= Content.size()) return;
  // A line ends at LF, CR LF, or a CR alone: files from old Macs would otherwise be one line,
  // read as a header, and their tasks lost on the next save.
  std::size_t end = Content.find_first_of("\r\n", Pos);
  std::size_t next = Content.size();
  if (end == std::string::npos) {
    end = Content.size();
  } else {
    next = end + 1;
    if (Content[end] == '\r' && next < Content.size() && Content[next] == '\n') ++next;
  }
  Line.assign(Content, Pos, end - Pos);
  Pos = next;
  AtEnd = Pos >= Content.size();
}

std::string TCSV::ReadField() {
  std::string_view rest = TrimView(Line);
  if (rest.empty()) return {};
  std::string field;
  if (rest.front() == '"') {
    // A doubled quote inside quotes stands for one quote; a single quote ends the field.
    std::size_t i = 1;
    for (; i < rest.size(); ++i) {
      if (rest[i] != '"') {
        field += rest[i];
      } else if (i + 1 < rest.size() && rest[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        break;
      }
    }
    rest = TrimView(rest.substr(i < rest.size() ? i + 1 : rest.size()));
    if (!rest.empty() && rest.front() == ',') rest = TrimView(rest.substr(1));
  } else {
    const std::size_t comma = rest.find(',');
    field = std::string(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : TrimView(rest.substr(comma + 1));
  }
  Line = std::string(rest);
  return Trim(field);
}

Fixed4 TCSV::ReadNumber() {
  const std::string field = ReadField();
  LastFieldEmpty = field.empty();
  if (LastFieldEmpty) return 0;
  return TextToNumber(field, Dates->Regional().DecimalSeparator);
}

double TCSV::ReadDate() {
  std::string field = ReadField();
  if (field.empty()) return 0;
  // Dashes and slashes stand for the regional separator, which is how dates are written here.
  const char separator = Dates->Regional().DateSeparator;
  bool isDayNumber = true;
  for (char& c : field) {
    if (c == '-' || c == '/') c = separator;
    if (c == separator) isDayNumber = false;
  }
  if (!isDayNumber) return Dates->ParseShortDate(field);
  // A day number counts from 1 January 1600.
  const double date = TextToDouble(field, Dates->Regional().DecimalSeparator) - 109571;
  if (!IsDateValueInRange(date)) ThrowNotValid(field, "date");
  return date;
}

void TCSV::OpenWrite(const std::string& path) {
  Writing = true;
  Line.clear();
  AtLineStart = true;
  IsOpen = Writer.Open(path);
  if (IsOpen && WriteBom) Writer.Append(kBom);
}

void TCSV::WriteField(std::string_view text) {
  if (!AtLineStart) Line += ',';
  Line += text;
  AtLineStart = false;
}

void TCSV::WriteQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  quoted += '"';
  WriteField(quoted);
}

void TCSV::WriteNumber(Fixed4 value) {
  const std::string text = NumberText(value, Dates->Regional().DecimalSeparator);
  // A decimal comma would split the number into two fields.
  if (text.find(',') != std::string::npos) {
    WriteField("\"" + text + "\"");
  } else {
    WriteField(text);
  }
}

void TCSV::WriteDate(double date) {
  WriteField(date == 0 ? std::string() : Dates->FileDateText(date));
}

void TCSV::EndLine() {
  if (!IsOpen) return;
  Line += "\r\n";
  Writer.Append(Line);
  Line.clear();
  AtLineStart = true;
}

void TCSV::Close() {
  const bool wasOpen = IsOpen;
  IsOpen = false;
  if (!Writing) {
    Content.clear();
    Content.shrink_to_fit();
    if (!wasOpen) throw EInOutError(kFileNotOpen);
    return;
  }
  Writing = false;
  if (!wasOpen) throw EInOutError(kFileNotOpen);
  WrittenStamp = Writer.Commit();
}

}  // namespace taskwell
