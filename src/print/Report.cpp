#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::PrintTasks() {}
void ToDoList::PrintButtonClick() {}

}  // namespace taskwell
namespace taskwell {
std::vector<std::string> ToDoList::ReportLines(const PrintChoice&) const { return {}; }
}  // namespace taskwell
