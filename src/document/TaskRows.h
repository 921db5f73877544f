#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/DefaultInitAllocator.h"

namespace taskwell {

// A task's cells in the table's own form, in column order, as one row is built or kept alone.
using TaskCells = std::vector<std::string>;

// One row's cells as they lie in a TaskRows. Like a reference into a vector, it is valid until
// the rows it reads change.
class RowView {
 public:
  // A cell's text: in the rows' own arena, or, with the length's top bit set, in the bytes the
  // rows borrowed from the file they were read from.
  struct Span {
    static constexpr std::uint32_t kBorrowed = std::uint32_t{1} << 31;
    std::uint32_t Offset;
    std::uint32_t Length;
    std::size_t Size() const { return Length & ~kBorrowed; }
    bool Borrowed() const { return (Length & kBorrowed) != 0; }
  };
  // Where the text of the cells lies.
  struct Texts {
    const char* Own = nullptr;
    const char* Borrowed = nullptr;
    std::string_view Of(Span span) const {
      return {(span.Borrowed() ? Borrowed : Own) + span.Offset, span.Size()};
    }
  };

  class Iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    Iterator() = default;
    Iterator(Texts texts, const Span* span) : texts_(texts), span_(span) {}
    std::string_view operator*() const { return texts_.Of(*span_); }
    std::string_view operator[](difference_type n) const { return *(*this + n); }
    Iterator& operator++() {
      ++span_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator was = *this;
      ++span_;
      return was;
    }
    Iterator& operator--() {
      --span_;
      return *this;
    }
    Iterator operator--(int) {
      Iterator was = *this;
      --span_;
      return was;
    }
    Iterator& operator+=(difference_type n) {
      span_ += n;
      return *this;
    }
    Iterator& operator-=(difference_type n) {
      span_ -= n;
      return *this;
    }
    friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
    friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
    friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(Iterator a, Iterator b) { return a.span_ - b.span_; }
    friend bool operator==(Iterator a, Iterator b) { return a.span_ == b.span_; }
    friend auto operator<=>(Iterator a, Iterator b) { return a.span_ <=> b.span_; }

   private:
    Texts texts_;
    const Span* span_ = nullptr;
  };

  RowView() = default;
  RowView(Texts texts, const Span* spans, std::size_t count)
      : texts_(texts), spans_(spans), count_(count) {}

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::string_view operator[](std::size_t col) const { return texts_.Of(spans_[col]); }
  // Throws std::out_of_range past the last cell.
  std::string_view at(std::size_t col) const;
  Iterator begin() const { return {texts_, spans_}; }
  Iterator end() const { return {texts_, spans_ + count_}; }
  // A copy of the cells that outlives the rows they came from.
  TaskCells ToCells() const { return {begin(), end()}; }

  friend bool operator==(const RowView& a, const RowView& b);
  friend bool operator==(const RowView& a, const TaskCells& b);

 private:
  Texts texts_;
  const Span* spans_ = nullptr;
  std::size_t count_ = 0;
};

// The rows of a list, the header row first, held flat: every cell's bytes in one arena, a cell
// as its offset and length there, a row as a small record naming its run of cells. Reordering
// rows moves records, never text. A changed cell's new text is appended to the arena; the
// arena is compacted once dead bytes outweigh live ones, not on every change. Rows read from a
// file may borrow its bytes: a text that lies in them as it is is named there and not copied,
// until a compaction moves every text into the arena.
class TaskRows {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = RowView;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = RowView;

    Iterator() = default;
    Iterator(const TaskRows* rows, std::size_t row) : rows_(rows), row_(row) {}
    RowView operator*() const { return (*rows_)[row_]; }
    Iterator& operator++() {
      ++row_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator was = *this;
      ++row_;
      return was;
    }
    Iterator& operator+=(difference_type n) {
      row_ = static_cast<std::size_t>(static_cast<difference_type>(row_) + n);
      return *this;
    }
    friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
    friend difference_type operator-(Iterator a, Iterator b) {
      return static_cast<difference_type>(a.row_) - static_cast<difference_type>(b.row_);
    }
    friend bool operator==(Iterator a, Iterator b) { return a.row_ == b.row_; }

   private:
    const TaskRows* rows_ = nullptr;
    std::size_t row_ = 0;
  };

  TaskRows() = default;
  TaskRows(std::initializer_list<TaskCells> rows);
  explicit TaskRows(const std::vector<TaskCells>& rows);

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  RowView operator[](std::size_t row) const {
    const Record r = rows_[row];
    return {TextsHere(), spans_.data() + r.First, r.Count};
  }
  // Throws std::out_of_range past the last row.
  RowView at(std::size_t row) const;
  RowView front() const { return (*this)[0]; }
  RowView back() const { return (*this)[size() - 1]; }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, size()}; }

  // Room for this many rows, cells and text bytes in all, so that a load does not move them.
  void reserve(std::size_t rows, std::size_t cells = 0, std::size_t bytes = 0);
  void push_back(const TaskCells& cells);
  void push_back(RowView cells);
  // Text that lies in these bytes is named where it lies from now on, for as long as a cell names
  // it. Rows that borrowed other bytes are compacted first.
  void Borrow(std::shared_ptr<const std::string> bytes);
  // The rows borrow `bytes` in place of what they borrowed, so that those bytes can go.
  // `lastCellAt(row, cells)` is asked for every row in order, and gives where the text of the
  // row's last cell lies in `bytes` as it is, or npos. Other borrowed text is copied into the
  // arena. Without the memory for that, nothing changes.
  using FindLastCell = std::function<std::size_t(std::size_t row, RowView cells)>;
  void MoveBorrowed(std::shared_ptr<const std::string> bytes, const FindLastCell& lastCellAt);
  class Room;
  // Room at the end for up to `rows` rows of `width` cells each, for a load to fill through the
  // Room, on a thread of its own if need be, and then end. A room's text goes to the arena, or,
  // where `textApart`, to a text of its own that EndRoom puts behind the arena, so that two
  // rooms can be filled at once. Until its rooms end, nothing else may change these rows, and
  // room that was made but not filled holds no memory.
  Room AddRoom(std::size_t rows, std::size_t width, bool textApart);
  // The rows the room filled stay. Where it was not filled, the rest of its room goes, and every
  // room after it with it.
  void EndRoom(Room& room);
  // The room goes, with every room after it and whatever they were filled with.
  void DropRoom(Room& room);
  // A row of `count` empty cells at the end, filled with Set.
  void AddEmptyRow(std::size_t count);
  // Drops the rows past `rows`, or adds rows without cells.
  void resize(std::size_t rows);
  void clear();

  void Set(std::size_t row, std::size_t col, std::string_view text);
  // Row `row` gets these cells, as many as there are.
  void SetRow(std::size_t row, RowView cells);
  void SetRow(std::size_t row, const TaskCells& cells);
  // A row of `count` empty cells before row `row`.
  void InsertEmptyRow(std::size_t row, std::size_t count);
  void Erase(std::size_t row);
  // Cuts or pads every row to `count` cells.
  void Fit(std::size_t count);
  // Row i becomes the row that was at order[i]; the rows past the order stay.
  void Permute(const std::vector<int>& order);
  // Moves the other rows after these.
  void Append(TaskRows&& other);
  // Hands the rows from `row` on over and drops them here.
  TaskRows TakeFrom(std::size_t row);
  // Every cell becomes what `convert` makes of it.
  void Convert(const std::function<std::string(std::string_view)>& convert);

  // The bytes this holds, dead ones and room for growth included, and the bytes it borrowed.
  std::size_t MemoryBytes() const;
  // The bytes of the arena's text no cell uses any more.
  std::size_t WasteBytes() const { return waste_; }
  // Copies the live text to a new arena in row order, which also puts it back in reading order
  // after a sort.
  void Compact();
  // The same after a reorder of many rows, whose scattered cells make every later pass over the
  // rows (a save, the next sort) jump through memory. Where every row has its own run of as many
  // cells, as after a load and edits of single cells or rows, the runs are moved in place, and
  // only the text is held twice.
  void CompactInRowOrder();

  std::vector<TaskCells> ToVectors() const;
  friend bool operator==(const TaskRows& a, const TaskRows& b);

 private:
  using Span = RowView::Span;
  struct Record {
    std::uint32_t First;
    std::uint32_t Count;
  };

  RowView::Texts TextsHere() const {
    return {arena_.data(), borrowed_ ? borrowed_->data() : nullptr};
  }
  Span Store(std::string_view text);
  // A cell's text is no longer named by it.
  void Forget(Span span);
  Record NewRecord(std::size_t count);
  template <class Cells>
  Record StoreRow(const Cells& cells);
  void Drop(const Record& record);
  void CompactIfWasteful();
  // After a compaction: every text lies in the arena, and none of it is dead.
  void ReleaseBorrowed();
  // The text bytes that cells still name, borrowed ones included: what a compaction copies.
  std::size_t LiveBytes() const {
    return arena_.size() - std::min(waste_, arena_.size()) + borrowedLive_;
  }
  // The room a compaction gives its new arena.
  std::size_t CompactedRoom() const;
  // Where every row has a run of `width` cells of its own, starting at a multiple of `width`:
  // the row whose run each run is, kNoRow for a dead one. False where the cells lie otherwise.
  bool FindRowsOfRuns(std::size_t width, std::vector<std::uint32_t>& rowOfRun) const;
  // Moves the live runs down over the dead ones, in place.
  void DropDeadRuns(std::size_t width, std::vector<std::uint32_t>& rowOfRun);
  // Runs that tile the cells, one a row, put in row order in place.
  void MoveCellsInRowOrder(std::size_t width, std::vector<std::uint32_t>& rowOfRun);
  // The text of the cells in row order, `width` a row, copied in the cells' order: every row's
  // last cell, or the others. The first `room` bytes go to `out` and the rest to `overflow`;
  // each cell is told where its text went, counted from `at`. Returns the bytes.
  std::size_t CopyCellsInRowOrder(std::size_t width, bool lastCells, char* out, std::size_t room,
                                  std::size_t at, std::string* overflow);
  static constexpr std::uint32_t kNoRow = std::numeric_limits<std::uint32_t>::max();

  using Spans = std::vector<Span, DefaultInitAllocator<Span>>;
  using Records = std::vector<Record, DefaultInitAllocator<Record>>;
  // Moves the text of a room that kept it apart behind the arena, where its cells then name it.
  void TakeTextOf(Room& room);

  std::string arena_;
  std::shared_ptr<const std::string> borrowed_;
  // The bytes of borrowed text that cells name.
  std::size_t borrowedLive_ = 0;
  Spans spans_;
  Records rows_;
  // Dead text bytes, and dead cells, since the last compaction.
  std::size_t waste_ = 0;
  std::size_t deadSpans_ = 0;
};

// Rows a load fills into room that TaskRows::AddRoom made, at its own pace: a row's cells are
// written where they are to stay, so two rooms can be filled side by side, each on a thread. A
// room is filled once every room to be filled beside it was made, as making one may move the
// cells. A room takes cache lines of its own, which no other thread writes.
class alignas(64) TaskRows::Room {
 public:
  using Span = RowView::Span;

  // Keeps text that many cells share (a load gives all tasks of one day the one date text). Its
  // span names it until the rows are compacted.
  Span Keep(std::string_view text) { return Store(text); }
  // A row of cells that name kept text, as many as the room's rows have, but for cell `textCol`,
  // which gets `text`.
  void push_back(std::span<const Span> kept, std::size_t textCol, std::string_view text);
  // A row of these cells, as many as the room's rows have.
  void push_back(const TaskCells& cells);
  std::size_t Filled() const { return filled_; }
  // Room for this much text of its own, in a room that keeps its text apart.
  void ReserveText(std::size_t bytes) {
    if (textApart_) apart_.reserve(bytes);
  }

 private:
  friend class TaskRows;
  Room(TaskRows& owner, std::size_t rows, std::size_t width, bool textApart);
  Span Store(std::string_view text);
  // The cells of the next row, which becomes a row of the room.
  Span* NextRow(std::size_t width);
  std::string& Text() { return textApart_ ? apart_ : owner_->arena_; }

  TaskRows* owner_;
  // Where the room's cells and records lie, from its first row on.
  Span* cells_ = nullptr;
  Record* records_ = nullptr;
  const std::string* borrowed_;
  std::size_t firstRow_;
  std::size_t firstSpan_;
  std::size_t room_;
  std::size_t width_;
  std::size_t filled_ = 0;
  bool textApart_;
  std::string apart_;
  std::size_t borrowedLive_ = 0;
};

}  // namespace taskwell
