#include "interchange/ContentLines.h"

#include "document/Text.h"
#include "interchange/ImportedTasks.h"

namespace taskwell {
namespace {

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

std::size_t NameEnd(std::string_view text, std::size_t from) {
  while (from < text.size() && IsNameChar(text[from])) ++from;
  return from;
}

// A parameter value: quoted, or up to the next ";", ":" or ",".
std::string ParamValue(std::string_view text, std::size_t& at, int line) {
  if (at < text.size() && text[at] == '"') {
    const std::size_t close = text.find('"', at + 1);
    if (close == std::string_view::npos)
      throw ImportError(line, "a quoted parameter is not closed");
    std::string value(text.substr(at + 1, close - at - 1));
    at = close + 1;
    return value;
  }
  const std::size_t end = std::min(text.find_first_of(";:,", at), text.size());
  std::string value(text.substr(at, end - at));
  at = end;
  return value;
}

void ParseLine(std::string_view text, int line, ContentLine& content) {
  content.Line = line;
  content.Params.clear();
  std::size_t at = NameEnd(text, 0);
  if (at == 0) throw ImportError(line, "not an iCalendar line: " + std::string(text.substr(0, 40)));
  content.Name.assign(text.substr(0, at));
  for (char& c : content.Name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  while (at < text.size() && text[at] == ';') {
    const std::size_t nameEnd = NameEnd(text, at + 1);
    if (nameEnd == at + 1 || nameEnd >= text.size() || text[nameEnd] != '=')
      throw ImportError(line, "a parameter of " + content.Name + " has no value");
    std::string name = UpperAscii(text.substr(at + 1, nameEnd - at - 1));
    at = nameEnd + 1;
    std::string value = ParamValue(text, at, line);
    // A list of values ("a","b") keeps the first: no parameter we read takes more.
    while (at < text.size() && text[at] == ',') {
      ++at;
      ParamValue(text, at, line);
    }
    content.Params.emplace_back(std::move(name), std::move(value));
  }
  if (at >= text.size() || text[at] != ':')
    throw ImportError(line, content.Name + " has no \":\" before its value");
  content.Value.assign(text.substr(at + 1));
}

}  // namespace

std::string ContentLine::Param(std::string_view name) const {
  for (const auto& [key, value] : Params) {
    if (key == name) return value;
  }
  return {};
}

ContentLineReader::ContentLineReader(std::string_view text) : text_(WithoutByteOrderMark(text)) {}

bool ContentLineReader::Next(ContentLine& line) {
  const auto physical = [this](std::size_t from, std::size_t& next) {
    std::size_t end = text_.find('\n', from);
    if (end == std::string_view::npos) end = text_.size();
    next = end + 1;
    std::string_view text = text_.substr(from, end - from);
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text;
  };
  const auto folded = [this](std::size_t from) {
    return from < text_.size() && (text_[from] == ' ' || text_[from] == '\t');
  };
  while (at_ < text_.size()) {
    std::size_t next = 0;
    const std::string_view first = physical(at_, next);
    at_ = next;
    ++number_;
    if (!first.empty() && (first.front() == ' ' || first.front() == '\t'))
      throw ImportError(number_, "a folded line continues nothing");
    if (TrimView(first).empty()) continue;
    const int start = number_;
    if (!folded(at_)) {
      ParseLine(first, start, line);
      return true;
    }
    unfolded_.assign(first);
    while (folded(at_)) {
      unfolded_.append(physical(at_, next).substr(1));
      at_ = next;
      ++number_;
    }
    ParseLine(unfolded_, start, line);
    return true;
  }
  return false;
}

std::string UnescapeText(std::string_view value) {
  // Most values have no escape at all.
  std::size_t plain = value.find('\\');
  if (plain == std::string_view::npos) return std::string(value);
  std::string out;
  out.reserve(value.size());
  out.append(value.substr(0, plain));
  for (std::size_t i = plain; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    out += next == 'n' || next == 'N' ? '\n' : next;
  }
  return out;
}

}  // namespace taskwell
