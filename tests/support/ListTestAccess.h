#pragma once

#include <string>
#include <utility>
#include <vector>

#include "list/ToDoList.h"

namespace taskwell {

// The one way tests put a task list into a state that the handlers would reach only through a
// longer story.
struct ListTestAccess {
  static void SetTaskFileName(ToDoList& list, std::string name) {
    list.file_.SetName(std::move(name));
  }
  static void SetSortMode(ToDoList& list, int mode) {
    list.sort_.Mode = static_cast<SortOrder>(mode);
  }
  static void SetAutoSort(ToDoList& list, bool on) { list.sort_.Auto = on; }
  static void SetSkipNextSort(ToDoList& list, bool skip) { list.sort_.SkipNext = skip; }
  static void SetFollowSortedRow(ToDoList& list, bool follow) {
    list.sort_.FollowSortedRow = follow;
  }
  static void SetPendingRow(ToDoList& list, int row) { list.sort_.PendingRow = row; }
  static void SetEditRow(ToDoList& list, int row) { list.edit_.Row = row; }
  static void SetEditCol(ToDoList& list, int col) { list.edit_.Col = col; }
  static void SetEditOldText(ToDoList& list, std::string text) {
    list.edit_.OldText = std::move(text);
  }
  static void SetHasProjCol(ToDoList& list, bool hasProjCol) { list.SetLayout(hasProjCol); }
  static void SetTextIsUtf8(ToDoList& list, bool utf8) { list.file_.textIsUtf8_ = utf8; }
  static void SetSingleByteFile(ToDoList& list, bool singleByte) {
    list.file_.singleByte_ = singleByte;
  }
  static void SetUndoByteLimit(ToDoList& list, std::size_t bytes) {
    list.history_.SetByteLimit(bytes);
  }
  // The table for a test's set-up beyond what typing and cursor moves do (row counts, handlers).
  static TaskTable& Table(ToDoList& list) { return list.table_; }

  // The routines behind the handlers, for tests of one step on its own.
  static void InitTaskTable(ToDoList& list, const DiskBytes* from = nullptr) {
    list.InitTaskTable(from);
  }
  static void InsertTaskRow(ToDoList& list) { list.InsertTaskRow(); }
  static void AttachSelectHandler(ToDoList& list) { list.AttachSelectHandler(); }
  static void DetachSelectHandler(ToDoList& list) { list.DetachSelectHandler(); }
  static void CellsToUtf8(ToDoList& list) { list.CellsToUtf8(); }
  static void DeleteTaskRow(ToDoList& list) { list.DeleteTaskRow(); }
  static std::string BuildSortKey(const ToDoList& list, int row) { return list.BuildSortKey(row); }
  static void SortTable(ToDoList& list) { list.SortTable(); }
  static std::vector<std::string> ReportLines(const ToDoList& list, const PrintChoice& choice) {
    return list.ReportLines(choice);
  }
  static void PrintTasks(ToDoList& list) { list.PrintTasks(); }
};

}  // namespace taskwell
