#include "list/HeadlessList.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "document/Errors.h"
#include "list/ToDoList.h"

namespace taskwell {

HeadlessList::HeadlessList(const RegionalSettings& regional, const Clock& clock,
                           const std::string& file)
    : dates_(regional, clock), file_(dates_, file) {}

HeadlessList::Loaded HeadlessList::Load(std::ostream& err) {
  if (!std::ifstream(file_.Name(), std::ios::binary)) {
    err << "taskwell: cannot read " << file_.Name() << ": " << std::strerror(errno) << '\n';
    return Loaded::Not;
  }
  try {
    file_.Load(rows_);
  } catch (const std::exception& e) {
    err << "taskwell: " << ErrorReportText(e.what()) << '\n';
    return Loaded::InPart;
  }
  return Loaded::Whole;
}

std::string HeadlessList::Title() const {
  return ListTitleOf(file_.Name());
}

}  // namespace taskwell
