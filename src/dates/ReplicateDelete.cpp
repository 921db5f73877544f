#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::ReplicateButtonClick() {}
void ToDoList::DeleteTaskRow() {}
void ToDoList::DeleteButtonClick() {}

}  // namespace taskwell
