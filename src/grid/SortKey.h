#pragma once

#include <string>
#include <string_view>

namespace taskwell {

// The three orders of the list.
enum class SortOrder { ByDate = 1, ByDescription = 2, ByProject = 3 };

// The day a task sorts under by date: its own date, or for an undated task today plus its
// priority in days; 0 when neither gives one. rowDate is 0 for an undated task.
double EffectiveDate(double rowDate, std::string_view priority, double now);

// The text a row sorts by: the upper-cased description, after the project number or after the
// effective date ("yyyymmdd") and the sub-priority, each right-aligned.
std::string SortKey(SortOrder order, double effectiveDate, std::string_view subPriority,
                    std::string_view project, std::string_view description);
// The same text appended to out.
void AppendSortKey(std::string& out, SortOrder order, double effectiveDate,
                   std::string_view subPriority, std::string_view project,
                   std::string_view description);
// The part of that text before the description, appended to out: the description itself can be
// read from its cell where it lies.
void AppendSortKeyHead(std::string& out, SortOrder order, double effectiveDate,
                       std::string_view subPriority, std::string_view project);

}  // namespace taskwell
