#include "interchange/RepeatMapping.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <map>
#include <vector>

#include "dates/RepeatRule.h"
#include "document/Calendar.h"
#include "document/Text.h"
#include "interchange/DateDigits.h"

namespace taskwell {
namespace {

// How each repeat word steps, in calendar units: d(ay), w(eek), m(onth), y(ear).
struct WordStep {
  std::string_view Word;
  char Unit;
  int Count;
};
constexpr std::array<WordStep, 8> kSteps = {{
    {"daily", 'd', 1},
    {"weekly", 'w', 1},
    {"biweekly", 'w', 2},
    {"monthly", 'm', 1},
    {"bimonthly", 'm', 2},
    {"quarterly", 'm', 3},
    {"semiannual", 'm', 6},
    {"annual", 'y', 1},
}};
constexpr std::array<std::string_view, 7> kRuleDays = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr std::string_view kWeekdays = "SUNMONTUEWEDTHUFRISAT";

const WordStep* StepOf(std::string_view word) {
  const auto* it = std::ranges::find(kSteps, word, &WordStep::Word);
  return it == kSteps.end() ? nullptr : it;
}

// The word for a step, with the steps that say the same in another unit folded in.
std::optional<std::string> WordOf(char unit, int count) {
  if (unit == 'd' && count % 7 == 0) return WordOf('w', count / 7);
  if (unit == 'm' && count == 12) return WordOf('y', 1);
  for (const WordStep& step : kSteps) {
    if (step.Unit == unit && step.Count == count) return std::string(step.Word);
  }
  return std::nullopt;
}

bool ParseCount(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end && value > 0;
}

std::map<std::string, std::string> RuleParts(std::string_view rule) {
  std::map<std::string, std::string> parts;
  std::size_t start = 0;
  while (start <= rule.size()) {
    const std::size_t end = std::min(rule.find(';', start), rule.size());
    const std::string_view part = rule.substr(start, end - start);
    const std::size_t eq = part.find('=');
    if (!part.empty()) {
      parts[UpperAscii(part.substr(0, eq))] =
          eq == std::string_view::npos ? std::string() : UpperAscii(part.substr(eq + 1));
    }
    start = end + 1;
  }
  return parts;
}

RepeatRule RuleOfHeader(std::string_view header) {
  return ParseRepeatHeader(":" + std::string(header) + " ");
}

// "2TU" for the second Tuesday; the weekday is 1 (Sunday) to 7.
std::string RuleDay(int ordinal, int weekday) {
  return (ordinal > 0 ? std::to_string(ordinal) : std::string()) +
         std::string(kRuleDays[static_cast<std::size_t>(weekday - 1)]);
}

// The weekday (1 to 7) and ordinal (0 when none) of a BYDAY entry such as "2TU" or "MO".
bool ParseRuleDay(std::string_view text, int& ordinal, int& weekday) {
  if (text.size() < 2) return false;
  const std::string_view day = text.substr(text.size() - 2);
  const auto* it = std::ranges::find(kRuleDays, day);
  if (it == kRuleDays.end()) return false;
  weekday = static_cast<int>(it - kRuleDays.begin()) + 1;
  ordinal = 0;
  const std::string_view number = text.substr(0, text.size() - 2);
  return number.empty() || (ParseCount(number, ordinal) && ordinal <= 5);
}

// The special increment for a BYDAY (and BYSETPOS) of a monthly rule; empty when it has none.
std::optional<std::string> SpecialOfRule(std::map<std::string, std::string>& parts, char unit,
                                         double due) {
  const std::string byDay = parts["BYDAY"];
  const std::string setPos = parts["BYSETPOS"];
  parts.erase("BYDAY");
  parts.erase("BYSETPOS");
  if (byDay.empty()) return setPos.empty() ? std::optional<std::string>("") : std::nullopt;
  int ordinal = 0;
  int weekday = 0;
  if (!ParseRuleDay(byDay, ordinal, weekday)) return std::nullopt;
  if (!setPos.empty() && (ordinal != 0 || !ParseCount(setPos, ordinal) || ordinal > 5))
    return std::nullopt;
  if (unit == 'w' && ordinal == 0 && (due == 0 || DayOfWeek(due) == weekday)) return "";
  if (unit != 'm' || ordinal == 0) return std::nullopt;
  return std::to_string(ordinal) +
         std::string(kWeekdays.substr(static_cast<std::size_t>(weekday - 1) * 3, 3));
}

// BYMONTHDAY and BYMONTH that only repeat the due date say nothing more.
bool OnlyRepeatsTheDue(std::map<std::string, std::string>& parts, char unit, double due) {
  const CalendarDate d = due != 0 ? DecodeDate(due) : CalendarDate{};
  for (const auto& [key, unitWanted, value] :
       {std::tuple{"BYMONTHDAY", 'm', d.Day}, std::tuple{"BYMONTH", 'y', d.Month}}) {
    const auto it = parts.find(key);
    if (it == parts.end()) continue;
    if (unit != unitWanted || it->second != std::to_string(value)) return false;
    parts.erase(it);
  }
  return true;
}

}  // namespace

RepeatParts RepeatParts::Of(std::string_view description) {
  RepeatParts parts;
  parts.Rest = description;
  if (!IsRepeatingEntry(description)) return parts;
  const std::size_t blank = description.find(' ');
  if (blank == std::string_view::npos) return parts;
  parts.HasHeader = true;
  parts.Header = description.substr(1, blank - 1);
  parts.Rest = description.substr(blank + 1);
  return parts;
}

std::string RepeatMapping::RuleOf(std::string_view header, const DateFormat& dates) {
  const RepeatRule rule = RuleOfHeader(header);
  const WordStep* step = StepOf(rule.Word);
  if (step == nullptr) return {};
  static constexpr std::array<std::string_view, 4> kFreq = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
  const std::size_t unit = std::string_view("dwmy").find(step->Unit);
  std::string text = "FREQ=" + std::string(kFreq[unit]);
  if (step->Count != 1) text += ";INTERVAL=" + std::to_string(step->Count);
  if (!rule.EndDate.empty()) {
    double end = 0;
    if (!dates.TryParseTableDate(rule.EndDate, end) || end == 0) return {};
    text += ";UNTIL=" + DateDigits(end);
  }
  if (!rule.Special.empty()) {
    const int ordinal = OrdinalNumber(rule.Ordinal());
    const int weekday = rule.Weekday().size() == 3 ? WeekdayNumber(rule.Weekday()) : 0;
    std::int32_t offset = 0;
    const bool offsetOk = rule.DayOffset().empty() || TryStrToInt(rule.DayOffset(), offset);
    if (step->Unit != 'm' || ordinal == 0 || weekday == 0 || !offsetOk) return {};
    text += ";BYDAY=" + RuleDay(ordinal, weekday);
  }
  return text;
}

std::optional<std::string> RepeatMapping::HeaderOfRule(std::string_view rule, double due,
                                                       const DateFormat& dates) {
  std::map<std::string, std::string> parts = RuleParts(rule);
  parts.erase("WKST");
  static const std::map<std::string, char> kUnits = {
      {"DAILY", 'd'}, {"WEEKLY", 'w'}, {"MONTHLY", 'm'}, {"YEARLY", 'y'}};
  const auto unit = kUnits.find(parts["FREQ"]);
  if (unit == kUnits.end()) return std::nullopt;
  int count = 1;
  if (parts.contains("INTERVAL") && !ParseCount(parts["INTERVAL"], count)) return std::nullopt;
  std::optional<std::string> word = WordOf(unit->second, count);
  std::string endText;
  if (parts.contains("UNTIL")) {
    double end = 0;
    if (!ReadDateDigits(parts["UNTIL"], "", end)) return std::nullopt;
    endText = dates.FormatDateText(end);
  }
  const std::optional<std::string> special = SpecialOfRule(parts, unit->second, due);
  if (!word || !special || !OnlyRepeatsTheDue(parts, unit->second, due)) return std::nullopt;
  for (const char* known : {"FREQ", "INTERVAL", "UNTIL"}) parts.erase(known);
  if (!parts.empty()) return std::nullopt;  // COUNT, BYHOUR and the like say more
  if (!special->empty()) return *word + ":" + endText + ":" + *special;
  return endText.empty() ? *word : *word + ":" + endText;
}

std::string RepeatMapping::CanonicalRule(std::string_view rule) {
  std::map<std::string, std::string> parts = RuleParts(rule);
  parts.erase("WKST");
  if (parts["INTERVAL"] == "1") parts.erase("INTERVAL");
  std::string text;
  const auto add = [&](const std::string& key) {
    const auto it = parts.find(key);
    if (it == parts.end() || it->second.empty()) return;
    text += (text.empty() ? "" : ";") + key + "=" + it->second;
    parts.erase(it);
  };
  for (const char* first : {"FREQ", "INTERVAL", "UNTIL", "COUNT", "BYDAY"}) add(first);
  std::vector<std::string> rest;
  rest.reserve(parts.size());
  for (const auto& [key, value] : parts) rest.push_back(key);
  for (const std::string& key : rest) add(key);
  return text;
}

std::string RepeatMapping::RecOf(std::string_view header) {
  const RepeatRule rule = RuleOfHeader(header);
  const WordStep* step = StepOf(rule.Word);
  if (step == nullptr || !rule.Special.empty()) return {};
  return "+" + std::to_string(step->Count) + step->Unit;
}

std::optional<std::string> RepeatMapping::HeaderOfRec(std::string_view rec) {
  if (!rec.empty() && rec.front() == '+') rec.remove_prefix(1);
  int count = 0;
  if (rec.size() < 2 || !ParseCount(rec.substr(0, rec.size() - 1), count)) return std::nullopt;
  const char unit = rec.back();
  if (std::string_view("dwmy").find(unit) == std::string_view::npos) return std::nullopt;
  return WordOf(unit, count);
}

std::optional<int> RepeatMapping::DayOffsetOf(std::string_view header) {
  const RepeatRule rule = RuleOfHeader(header);
  std::int32_t offset = 0;
  if (rule.DayOffset().empty() || !TryStrToInt(rule.DayOffset(), offset)) return std::nullopt;
  return offset;
}

}  // namespace taskwell
