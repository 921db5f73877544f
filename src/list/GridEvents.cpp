#include "list/ToDoList.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "list/LinkTarget.h"

namespace taskwell {

void ToDoList::GridKeyUp(int key) {
  // Only a task cell has an edit to take back; the header never does.
  if (key != kEscapeKey || !EditPending()) return;
  table_.SetCell(edit_.Col, edit_.Row, edit_.OldText);
}

void ToDoList::GridMouseDown(int hitCol, int hitRow) {
  // No sort inside a running commit, and none by hand while every edit sorts anyway.
  if (!table_.HasSelectHandler() || sort_.Auto) return;
  if (hitRow != 0 || hitCol < 0) return;
  const StepScope step(*this, &ToDoList::CursorMark);
  sort_.Mode = hitCol == layout_.DescCol() ? SortOrder::ByDescription : SortOrder::ByDate;
  SortTable();
}

void ToDoList::GridDblClick() {
  const LinkTarget link =
      LinkTarget::FromDescription(table_.Cell(layout_.DescCol(), table_.Row()), file_.Name());
  if (link.Type == LinkTarget::Kind::None) return;
  if (link.Type == LinkTarget::Kind::Url) {
    ui_.OpenDocument(link.Target);
    return;
  }
  std::error_code error;
  if (!std::filesystem::exists(link.Target, error))
    throw MessageError(
        Message::Format("Could not open \"%1\": there is no such file", link.Target));
  // A task file can come from a shared folder: what it names is shown, never started.
  if (RunsProgram(link.Target)) {
    if (ui_.Confirm(Message::Format("\"%1\" would start a program.\r\nOpen its folder instead?",
                                    link.Target)))
      ui_.OpenDocument(std::filesystem::path(link.Target).parent_path().string());
    return;
  }
  ui_.OpenDocument(link.Target);
}

}  // namespace taskwell
