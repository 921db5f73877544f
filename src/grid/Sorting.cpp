#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::SortTable() {}
void ToDoList::GridDrawCell() {}
void ToDoList::SortOrderButtonClick() {}
void ToDoList::AutoSortButtonClick() {}
void ToDoList::SortButtonClick() {}

}  // namespace taskwell
namespace taskwell {
std::string ToDoList::BuildSortKey(int) const { return {}; }
}  // namespace taskwell
