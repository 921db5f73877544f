#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::GridDblClick() {}

}  // namespace taskwell
namespace taskwell {
void ToDoList::GridKeyUp(int) {}
void ToDoList::GridMouseDown(int, int) {}
}  // namespace taskwell
