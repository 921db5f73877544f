#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace taskwell {

// One unfolded iCalendar content line: NAME;PARAM=value:VALUE.
struct ContentLine {
  int Line = 0;                                             // where it starts in the file, from 1
  std::string Name;                                         // upper case
  std::vector<std::pair<std::string, std::string>> Params;  // names upper case, quotes removed
  std::string Value;

  // The value of a parameter, or empty.
  std::string Param(std::string_view name) const;
};

// Reads iCalendar text as content lines, one at a time: a byte-order mark, CRLF or LF line ends
// and folded lines are all accepted. A line that is no content line throws ImportError with its
// number.
class ContentLineReader {
 public:
  explicit ContentLineReader(std::string_view text);

  // The next line into `line`, whose strings are reused; false after the last one.
  bool Next(ContentLine& line);
  // The number of the last physical line read.
  int LineNumber() const { return number_; }
  // How much of the text has been read, and its size.
  std::size_t Offset() const { return at_; }
  std::size_t Size() const { return text_.size(); }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int number_ = 0;
  std::string unfolded_;
};

// A TEXT value with its escapes read: "\\n" is a line feed, "\\," a comma, and so on.
std::string UnescapeText(std::string_view value);

}  // namespace taskwell
