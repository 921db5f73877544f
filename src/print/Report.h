#pragma once

#include <string>
#include <string_view>

namespace taskwell {

// The fixed-column lines of the printed listing.
std::string ReportHeading(bool hasProjCol);
std::string ReportRule(bool hasProjCol);
// One task: date, priority, sub-priority and, when present, project, each with a blank after it,
// then the description. Filling only adds: a long cell pushes the rest right.
std::string ReportTaskLine(std::string_view date, std::string_view pri, std::string_view subPri,
                           const std::string_view* proj, std::string_view description);
// The same line appended to `line`, for a long listing built in one reused buffer.
void AppendReportTaskLine(std::string& line, std::string_view date, std::string_view pri,
                          std::string_view subPri, const std::string_view* proj,
                          std::string_view description);

// What a page range is compared with: whole days from now to a dated task (half a day is added
// and the fraction cut toward zero, so the time of day matters), else the priority as a whole
// number (0 when empty or not a number). rowDate is 0 for an undated task.
int DaysOrPriority(double rowDate, std::string_view priority, double now);

}  // namespace taskwell
