#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::HideButtonClick() {}

}  // namespace taskwell
namespace taskwell {
void ToDoList::FindButtonClick(const std::string&) {}
}  // namespace taskwell
