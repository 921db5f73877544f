#include "document/ToDoList.h"

namespace taskwell {

void ToDoList::IncrementButtonClick() {}

}  // namespace taskwell
