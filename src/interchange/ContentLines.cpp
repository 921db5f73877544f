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

ContentLine ParseLine(std::string_view text, int line) {
  ContentLine content;
  content.Line = line;
  std::size_t at = NameEnd(text, 0);
  if (at == 0) throw ImportError(line, "not an iCalendar line: " + std::string(text.substr(0, 40)));
  content.Name = UpperAscii(text.substr(0, at));
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
  content.Value = std::string(text.substr(at + 1));
  return content;
}

}  // namespace

std::string ContentLine::Param(std::string_view name) const {
  for (const auto& [key, value] : Params) {
    if (key == name) return value;
  }
  return {};
}

std::vector<ContentLine> SplitContentLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<ContentLine> lines;
  std::string pending;
  int pendingLine = 0;
  int number = 0;
  const auto flush = [&] {
    if (pendingLine != 0) lines.push_back(ParseLine(pending, pendingLine));
    pending.clear();
    pendingLine = 0;
  };
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view physical = text.substr(start, end - start);
    if (physical.ends_with('\r')) physical.remove_suffix(1);
    ++number;
    start = end + 1;
    if (!physical.empty() && (physical.front() == ' ' || physical.front() == '\t')) {
      if (pendingLine == 0) throw ImportError(number, "a folded line continues nothing");
      pending.append(physical.substr(1));
      continue;
    }
    flush();
    if (TrimView(physical).empty()) continue;
    pending.assign(physical);
    pendingLine = number;
  }
  flush();
  return lines;
}

std::string UnescapeText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
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
