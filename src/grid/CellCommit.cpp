#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::GridExit() {}
void ToDoList::CommitCellEdit() {}

}  // namespace taskwell
namespace taskwell {
void ToDoList::GridSelectCell(int, int) {}
}  // namespace taskwell
