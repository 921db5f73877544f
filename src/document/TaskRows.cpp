#include "document/TaskRows.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "document/SideBySide.h"

namespace taskwell {
namespace {

// Below this much dead text a compaction would cost more than the bytes it gives back.
constexpr std::size_t kMinWasteBytes = std::size_t{1} << 20;
constexpr std::size_t kMinDeadSpans = std::size_t{1} << 16;
constexpr std::size_t kMaxOffset = std::numeric_limits<std::uint32_t>::max();
// From this many rows on, a reorder reads the records on two threads.
constexpr std::size_t kGatherBesideFrom = std::size_t{1} << 17;
// From this much text on, a compaction makes its new arena ready on a thread of its own.
constexpr std::size_t kPrepareBesideFrom = std::size_t{1} << 22;

// Where `text` starts in `bytes`, when it lies wholly within them.
std::optional<std::uint32_t> OffsetIn(std::string_view bytes, std::string_view text) {
  const std::less<const char*> before;
  if (before(text.data(), bytes.data()) || before(bytes.data() + bytes.size(), text.data()))
    return std::nullopt;
  const auto at = static_cast<std::size_t>(text.data() - bytes.data());
  if (text.size() > bytes.size() - at) return std::nullopt;
  return static_cast<std::uint32_t>(at);
}

// A span that names `text` where it lies in `bytes`, when it lies there.
std::optional<RowView::Span> BorrowedSpan(const std::string* bytes, std::string_view text) {
  if (bytes == nullptr) return std::nullopt;
  const auto there = OffsetIn(*bytes, text);
  if (!there) return std::nullopt;
  return RowView::Span{*there, static_cast<std::uint32_t>(text.size()) | RowView::Span::kBorrowed};
}

// Adds `text` to the end of `arena`, which then has room for it.
RowView::Span AppendTo(std::string& arena, std::string_view text) {
  const RowView::Span span{static_cast<std::uint32_t>(arena.size()),
                           static_cast<std::uint32_t>(text.size())};
  arena.append(text);
  return span;
}

void CheckTextSize(std::size_t size) {
  if (size >= RowView::Span::kBorrowed)
    throw std::length_error("The list's text is too large to hold");
}

bool SameCells(const RowView& a, std::size_t count, auto cellOfB) {
  if (a.size() != count) return false;
  for (std::size_t c = 0; c < count; ++c) {
    if (a[c] != cellOfB(c)) return false;
  }
  return true;
}

// The copies a compaction made lately of text that many cells name (a date or a weekday the load
// kept once): a cell that names the same old text as one copied lately names the copy, so that
// the text stays shared. Only cells before a row's last, its description, are looked up.
class RecentCopies {
 public:
  using Span = RowView::Span;

  // The copy of `old`, where one was made lately.
  const Span* Find(Span old) {
    Entry& entry = SlotOf(old);
    return entry.Old.Offset == old.Offset && entry.Old.Length == old.Length ? &entry.New : nullptr;
  }
  void Note(Span old, Span copy) { SlotOf(old) = {old, copy}; }

 private:
  struct Entry {
    Span Old{std::numeric_limits<std::uint32_t>::max(), 0};
    Span New{};
  };
  Entry& SlotOf(Span old) { return entries_[(old.Offset * 0x9E3779B1U) >> 16]; }

  std::vector<Entry> entries_ = std::vector<Entry>(std::size_t{1} << 16);
};

// Copies cells' text to a new arena in the order the cells are given: a run of cells that lie
// end to end in the old text is copied as one piece. The first `room` bytes go to `out`, and
// the rest to `overflow`; the new text is named from `at` on.
class RunCopier {
 public:
  using Span = RowView::Span;

  RunCopier(RowView::Texts texts, char* out, std::size_t room, std::size_t at,
            std::string* overflow)
      : texts_(texts), out_(out), room_(room), at_(at), overflow_(overflow) {}

  // Where the text of `old` goes; its bytes are copied by the time Finish returns.
  Span Take(Span old) {
    const bool borrowed = old.Borrowed();
    if (length_ > 0 && (old.Offset != from_ + length_ || borrowed != borrowed_)) EndRun();
    if (length_ == 0) {
      from_ = old.Offset;
      borrowed_ = borrowed;
    }
    length_ = old.Offset + old.Size() - from_;
    return {static_cast<std::uint32_t>(at_ + written_ + (old.Offset - from_)),
            static_cast<std::uint32_t>(old.Size())};
  }

  // The bytes copied in all.
  std::size_t Finish() {
    EndRun();
    return written_;
  }

 private:
  void EndRun() {
    const std::size_t here = std::min(length_, room_ - std::min(room_, written_));
    const char* from = (borrowed_ ? texts_.Borrowed : texts_.Own) + from_;
    if (here > 0) std::memcpy(out_ + written_, from, here);
    if (here < length_) overflow_->append(from + here, length_ - here);
    written_ += length_;
    length_ = 0;
  }

  RowView::Texts texts_;
  char* out_;
  std::size_t room_;
  std::size_t at_;
  std::string* overflow_;
  std::size_t written_ = 0;
  std::size_t from_ = 0;
  std::size_t length_ = 0;
  bool borrowed_ = false;
};

}  // namespace

std::string_view RowView::at(std::size_t col) const {
  if (col >= count_) throw std::out_of_range("Grid index out of range");
  return (*this)[col];
}

bool operator==(const RowView& a, const RowView& b) {
  return SameCells(a, b.size(), [&b](std::size_t c) { return b[c]; });
}

bool operator==(const RowView& a, const TaskCells& b) {
  return SameCells(a, b.size(), [&b](std::size_t c) { return std::string_view(b[c]); });
}

TaskRows::TaskRows(std::initializer_list<TaskCells> rows) {
  reserve(rows.size());
  for (const TaskCells& cells : rows) push_back(cells);
}

TaskRows::TaskRows(const std::vector<TaskCells>& rows) {
  reserve(rows.size());
  for (const TaskCells& cells : rows) push_back(cells);
}

RowView TaskRows::at(std::size_t row) const {
  if (row >= rows_.size()) throw std::out_of_range("Grid index out of range");
  return (*this)[row];
}

void TaskRows::reserve(std::size_t rows, std::size_t cells, std::size_t bytes) {
  rows_.reserve(rows);
  spans_.reserve(cells);
  arena_.reserve(bytes);
}

void TaskRows::Borrow(std::shared_ptr<const std::string> bytes) {
  if (bytes == borrowed_) return;
  if (borrowedLive_ > 0) Compact();
  // Offsets in bytes beyond the arena's reach could not be named.
  borrowed_ = bytes && bytes->size() <= kMaxOffset ? std::move(bytes) : nullptr;
}

void TaskRows::MoveBorrowed(std::shared_ptr<const std::string> bytes,
                            const FindLastCell& lastCellAt) {
  if (!borrowed_ || !bytes || bytes == borrowed_ || bytes->size() > kMaxOffset) return;
  // First where each row's last cell lies and how much is to be copied, so that the one
  // allocation there is comes before any cell changes.
  constexpr auto kNowhere = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> lastAt;
  std::size_t copied = 0;
  try {
    lastAt.assign(rows_.size(), kNowhere);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      const RowView cells = (*this)[r];
      const std::size_t at = lastCellAt(r, cells);
      for (std::size_t c = 0; c < cells.size(); ++c) {
        const Span span = spans_[rows_[r].First + c];
        if (!span.Borrowed()) continue;
        const bool found = c + 1 == cells.size() && at != std::string::npos &&
                           at <= bytes->size() && span.Size() <= bytes->size() - at;
        if (found) {
          lastAt[r] = static_cast<std::uint32_t>(at);
        } else {
          copied += span.Size();
        }
      }
    }
    if (arena_.size() + copied > kMaxOffset) return;
    arena_.reserve(arena_.size() + copied);
  } catch (const std::bad_alloc&) {
    return;
  }
  const RowView::Texts texts = TextsHere();
  std::size_t live = 0;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    const Record record = rows_[r];
    for (std::uint32_t c = 0; c < record.Count; ++c) {
      Span& span = spans_[record.First + c];
      if (!span.Borrowed()) continue;
      if (c + 1 == record.Count && lastAt[r] != kNowhere) {
        span.Offset = lastAt[r];
        live += span.Size();
        continue;
      }
      const std::string_view text = texts.Of(span);
      span = {static_cast<std::uint32_t>(arena_.size()), static_cast<std::uint32_t>(text.size())};
      arena_.append(text);
    }
  }
  borrowed_ = std::move(bytes);
  borrowedLive_ = live;
}

TaskRows::Span TaskRows::Store(std::string_view text) {
  if (text.empty()) return {0, 0};
  CheckTextSize(text.size());
  // The text may be a cell of these rows, which growing the arena would move.
  if (const auto own = OffsetIn(arena_, text))
    return {*own, static_cast<std::uint32_t>(text.size())};
  if (const auto there = BorrowedSpan(borrowed_.get(), text)) {
    borrowedLive_ += text.size();
    return *there;
  }
  if (arena_.size() + text.size() > kMaxOffset) {
    Compact();
    if (arena_.size() + text.size() > kMaxOffset)
      throw std::length_error("The list's text is too large to hold");
  }
  return AppendTo(arena_, text);
}

TaskRows::Record TaskRows::NewRecord(std::size_t count) {
  if (spans_.size() + count > kMaxOffset) throw std::length_error("The list is too large to hold");
  const Record record{static_cast<std::uint32_t>(spans_.size()), static_cast<std::uint32_t>(count)};
  spans_.resize(spans_.size() + count, Span{0, 0});
  return record;
}

void TaskRows::Forget(Span span) {
  if (span.Borrowed()) {
    borrowedLive_ -= std::min(span.Size(), borrowedLive_);
  } else {
    waste_ += span.Size();
  }
}

void TaskRows::Drop(const Record& record) {
  for (std::uint32_t i = 0; i < record.Count; ++i) Forget(spans_[record.First + i]);
  deadSpans_ += record.Count;
}

template <class Cells>
TaskRows::Record TaskRows::StoreRow(const Cells& cells) {
  const Record record = NewRecord(cells.size());
  for (std::size_t c = 0; c < cells.size(); ++c) spans_[record.First + c] = Store(cells[c]);
  return record;
}

void TaskRows::push_back(const TaskCells& cells) {
  rows_.push_back(StoreRow(cells));
}

void TaskRows::push_back(RowView cells) {
  // A row of these rows is copied first: adding cells may move it.
  const TaskCells copy = cells.ToCells();
  push_back(copy);
}

TaskRows::Room TaskRows::AddRoom(std::size_t rows, std::size_t width, bool textApart) {
  if (rows > kMaxOffset || width > kMaxOffset || spans_.size() + rows * width > kMaxOffset ||
      rows_.size() + rows > kMaxOffset)
    throw std::length_error("The list is too large to hold");
  Room room(*this, rows, width, textApart);
  // Made without a value, the cells and records take no memory until a row is written.
  spans_.resize(spans_.size() + rows * width);
  rows_.resize(rows_.size() + rows);
  return room;
}

void TaskRows::EndRoom(Room& room) {
  if (room.firstRow_ + room.filled_ > rows_.size())
    throw std::logic_error("A room ended after the room before it dropped it");
  if (room.textApart_) TakeTextOf(room);
  borrowedLive_ += room.borrowedLive_;
  room.borrowedLive_ = 0;
  if (room.filled_ < room.room_) {
    rows_.resize(room.firstRow_ + room.filled_, Record{0, 0});
    spans_.resize(room.firstSpan_ + room.filled_ * room.width_);
  }
  room.room_ = room.filled_;
}

void TaskRows::DropRoom(Room& room) {
  if (room.firstRow_ <= rows_.size()) {
    rows_.resize(room.firstRow_, Record{0, 0});
    spans_.resize(room.firstSpan_);
  }
  room.room_ = room.filled_ = 0;
  room.borrowedLive_ = 0;
}

void TaskRows::TakeTextOf(Room& room) {
  const std::size_t shift = arena_.size();
  if (shift + room.apart_.size() > kMaxOffset)
    throw std::length_error("The list's text is too large to hold");
  const auto shiftCells = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      Span& span = spans_[i];
      if (!span.Borrowed() && span.Length != 0) span.Offset += static_cast<std::uint32_t>(shift);
    }
  };
  const std::size_t from = room.firstSpan_;
  const std::size_t to = from + room.filled_ * room.width_;
  const std::size_t half = from + (to - from) / 2;
  // The cells are told where their text went while it is copied there.
  SideBySide(
      to - from >= kGatherBesideFrom,
      [&] {
        shiftCells(from, half);
        arena_.append(room.apart_);
      },
      [&] { shiftCells(half, to); });
  room.apart_ = std::string();
  room.textApart_ = false;
}

TaskRows::Room::Room(TaskRows& owner, std::size_t rows, std::size_t width, bool textApart)
    : owner_(&owner),
      borrowed_(owner.borrowed_.get()),
      firstRow_(owner.rows_.size()),
      firstSpan_(owner.spans_.size()),
      room_(rows),
      width_(width),
      textApart_(textApart) {}

RowView::Span TaskRows::Room::Store(std::string_view text) {
  if (text.empty()) return {0, 0};
  CheckTextSize(text.size());
  if (const auto there = BorrowedSpan(borrowed_, text)) {
    borrowedLive_ += text.size();
    return *there;
  }
  std::string& arena = Text();
  if (arena.size() + text.size() > kMaxOffset)
    throw std::length_error("The list's text is too large to hold");
  return AppendTo(arena, text);
}

RowView::Span* TaskRows::Room::NextRow(std::size_t width) {
  if (width != width_ || filled_ == room_)
    throw std::logic_error("A row does not fit the room made for it");
  if (filled_ == 0) {
    // Read once, not from the rows on every row: another thread may be writing next to them.
    cells_ = owner_->spans_.data() + firstSpan_;
    records_ = owner_->rows_.data() + firstRow_;
  }
  const std::size_t at = filled_ * width_;
  records_[filled_] = {static_cast<std::uint32_t>(firstSpan_ + at),
                       static_cast<std::uint32_t>(width_)};
  ++filled_;
  return cells_ + at;
}

void TaskRows::Room::push_back(std::span<const Span> kept, std::size_t textCol,
                               std::string_view text) {
  Span* cells = NextRow(kept.size());
  std::copy(kept.begin(), kept.end(), cells);
  cells[textCol] = Store(text);
}

void TaskRows::Room::push_back(const TaskCells& cells) {
  // Empty first, so that a text too large to keep leaves the row whole, without it.
  Span* spans = NextRow(cells.size());
  std::fill_n(spans, cells.size(), Span{0, 0});
  for (std::size_t c = 0; c < cells.size(); ++c) spans[c] = Store(cells[c]);
}

void TaskRows::AddEmptyRow(std::size_t count) {
  rows_.push_back(NewRecord(count));
}

void TaskRows::resize(std::size_t rows) {
  for (std::size_t r = rows; r < rows_.size(); ++r) Drop(rows_[r]);
  rows_.resize(rows, Record{0, 0});
  CompactIfWasteful();
}

void TaskRows::clear() {
  *this = TaskRows();
}

void TaskRows::Set(std::size_t row, std::size_t col, std::string_view text) {
  const Record record = rows_.at(row);
  if (col >= record.Count) throw std::out_of_range("Grid index out of range");
  const Span span = Store(text);
  // Store may have compacted, which moves the cells and their text.
  Span& cell = spans_[rows_[row].First + col];
  Forget(cell);
  cell = span;
  CompactIfWasteful();
}

void TaskRows::SetRow(std::size_t row, const TaskCells& cells) {
  Drop(rows_.at(row));
  rows_[row] = StoreRow(cells);
  CompactIfWasteful();
}

void TaskRows::SetRow(std::size_t row, RowView cells) {
  const TaskCells copy = cells.ToCells();
  SetRow(row, copy);
}

void TaskRows::InsertEmptyRow(std::size_t row, std::size_t count) {
  if (row > rows_.size()) throw std::out_of_range("Grid index out of range");
  const Record record = NewRecord(count);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row), record);
}

void TaskRows::Erase(std::size_t row) {
  Drop(rows_.at(row));
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  CompactIfWasteful();
}

void TaskRows::Fit(std::size_t count) {
  for (Record& record : rows_) {
    if (record.Count == count) continue;
    if (record.Count > count) {
      for (std::size_t c = count; c < record.Count; ++c) Forget(spans_[record.First + c]);
      deadSpans_ += record.Count - count;
      record.Count = static_cast<std::uint32_t>(count);
      continue;
    }
    const Record grown = NewRecord(count);
    std::copy_n(spans_.begin() + record.First, record.Count, spans_.begin() + grown.First);
    deadSpans_ += record.Count;
    record = grown;
  }
  CompactIfWasteful();
}

void TaskRows::Permute(const std::vector<int>& order) {
  Records moved(order.size());
  // The records are read in the new order, all over the old one: asked for a little ahead, and
  // for a long table on two threads, half each.
  const auto gather = [&](std::size_t first, std::size_t last) {
    constexpr std::size_t kAhead = 16;
    for (std::size_t p = first; p < last; ++p) {
      if (p + kAhead < last) {
        const auto ahead = static_cast<std::size_t>(order[p + kAhead]);
        if (ahead < rows_.size()) __builtin_prefetch(&rows_[ahead]);
      }
      moved[p] = rows_.at(static_cast<std::size_t>(order[p]));
    }
  };
  const std::size_t half = order.size() / 2;
  SideBySide(
      order.size() >= kGatherBesideFrom, [&] { gather(0, half); },
      [&] { gather(half, order.size()); });
  if (moved.size() == rows_.size()) {
    rows_.swap(moved);
    return;
  }
  std::copy(moved.begin(), moved.end(), rows_.begin());
}

void TaskRows::Append(TaskRows&& other) {
  if (rows_.empty() && waste_ == 0 && deadSpans_ == 0) {
    *this = std::move(other);
    return;
  }
  const std::size_t textShift = arena_.size();
  const std::size_t spanShift = spans_.size();
  const bool borrowsAsHere =
      other.borrowedLive_ == 0 || other.borrowed_ == borrowed_ || borrowedLive_ == 0;
  if (other.waste_ == 0 && other.deadSpans_ == 0 && borrowsAsHere &&
      textShift + other.arena_.size() <= kMaxOffset &&
      spanShift + other.spans_.size() <= kMaxOffset) {
    // Rows just read: their text and cells go over whole, moved by what is here already; the
    // text they borrowed stays where it is.
    if (other.borrowedLive_ > 0) borrowed_ = other.borrowed_;
    borrowedLive_ += other.borrowedLive_;
    arena_.append(other.arena_);
    spans_.reserve(spans_.size() + other.spans_.size());
    for (const Span span : other.spans_) {
      spans_.push_back(
          span.Borrowed() ? span
                          : Span{static_cast<std::uint32_t>(span.Offset + textShift), span.Length});
    }
    rows_.reserve(rows_.size() + other.rows_.size());
    for (const Record record : other.rows_)
      rows_.push_back({static_cast<std::uint32_t>(record.First + spanShift), record.Count});
    other.clear();
    return;
  }
  rows_.reserve(rows_.size() + other.size());
  for (const RowView cells : other) rows_.push_back(StoreRow(cells));
  other.clear();
}

TaskRows TaskRows::TakeFrom(std::size_t row) {
  row = std::min(row, rows_.size());
  TaskRows taken;
  taken.reserve(rows_.size() - row);
  for (std::size_t r = row; r < rows_.size(); ++r) taken.push_back((*this)[r]);
  resize(row);
  return taken;
}

void TaskRows::Convert(const std::function<std::string(std::string_view)>& convert) {
  TaskRows converted;
  converted.reserve(rows_.size(), spans_.size() - deadSpans_, LiveBytes());
  TaskCells cells;
  for (const RowView row : *this) {
    cells.assign(row.size(), std::string());
    for (std::size_t c = 0; c < row.size(); ++c) cells[c] = convert(row[c]);
    converted.push_back(cells);
  }
  *this = std::move(converted);
}

std::size_t TaskRows::MemoryBytes() const {
  return sizeof(TaskRows) + arena_.capacity() + (borrowed_ ? borrowed_->size() : 0) +
         spans_.capacity() * sizeof(Span) + rows_.capacity() * sizeof(Record);
}

void TaskRows::Compact() {
  std::string arena;
  arena.reserve(CompactedRoom());
  Spans spans;
  spans.reserve(spans_.size() - std::min(deadSpans_, spans_.size()));
  RecentCopies recent;
  for (Record& record : rows_) {
    const auto first = static_cast<std::uint32_t>(spans.size());
    for (std::uint32_t c = 0; c < record.Count; ++c) {
      const Span old = spans_[record.First + c];
      if (old.Length == 0) {
        spans.push_back({0, 0});
        continue;
      }
      const bool shared = c + 1 < record.Count;
      if (const Span* copy = shared ? recent.Find(old) : nullptr) {
        spans.push_back(*copy);
        continue;
      }
      const std::string_view text = TextsHere().Of(old);
      spans.push_back(
          {static_cast<std::uint32_t>(arena.size()), static_cast<std::uint32_t>(text.size())});
      arena.append(text);
      if (shared) recent.Note(old, spans.back());
    }
    record.First = first;
  }
  arena_ = std::move(arena);
  spans_ = std::move(spans);
  ReleaseBorrowed();
  deadSpans_ = 0;
}

void TaskRows::ReleaseBorrowed() {
  borrowed_.reset();
  borrowedLive_ = 0;
  waste_ = 0;
}

std::size_t TaskRows::CompactedRoom() const {
  // The live text, and an eighth more: a shared text that RecentCopies has lost sight of is
  // copied again, and an arena that had to grow would double, under the old one.
  const std::size_t live = LiveBytes();
  return live + live / 8;
}

void TaskRows::CompactIfWasteful() {
  // Borrowed bytes no cell names are waste once nothing else holds them.
  std::size_t dead = waste_;
  if (borrowed_ && borrowed_.use_count() == 1)
    dead += borrowed_->size() - std::min(borrowedLive_, borrowed_->size());
  const bool text = dead > kMinWasteBytes && dead > LiveBytes();
  const bool cells = deadSpans_ > kMinDeadSpans && deadSpans_ > spans_.size() / 2;
  if (text || cells) Compact();
}

std::vector<TaskCells> TaskRows::ToVectors() const {
  std::vector<TaskCells> rows;
  rows.reserve(size());
  for (const RowView row : *this) rows.push_back(row.ToCells());
  return rows;
}

void TaskRows::CompactInRowOrder() {
  const std::size_t width = rows_.empty() ? 0 : rows_.front().Count;
  std::vector<std::uint32_t> rowOfRun;
  if (!FindRowsOfRuns(width, rowOfRun)) {
    Compact();
    return;
  }
  // The new arena is made ready beside the moves of the cells, which need none of it, so that
  // its pages are not first touched one at a time by the copy. It is sized for the live text
  // and a little more.
  const std::size_t room = CompactedRoom();
  const std::size_t live = LiveBytes();
  const bool beside = live >= kPrepareBesideFrom;
  std::string arena;
  const auto prepare = [&] {
    arena.reserve(room);
    arena.resize(std::min(room, live + live / 64));
  };
  const auto move = [&] {
    DropDeadRuns(width, rowOfRun);
    MoveCellsInRowOrder(width, rowOfRun);
  };
  SideBySide(beside, move, prepare);
  // The descriptions, every row's last cell, go first, end to end; the other cells' text goes
  // behind them. The two are copied side by side, and what does not fit is added after.
  std::size_t described = 0;
  for (std::size_t i = width - 1; i < spans_.size(); i += width) described += spans_[i].Size();
  if (arena.size() < described) arena.resize(described);
  std::string overflow;
  std::size_t others = 0;
  const auto last = [&] { CopyCellsInRowOrder(width, true, arena.data(), described, 0, nullptr); };
  const auto rest = [&] {
    others = CopyCellsInRowOrder(width, false, arena.data() + described, arena.size() - described,
                                 described, &overflow);
  };
  SideBySide(beside, last, rest);
  arena.resize(described + others - overflow.size());
  arena.append(overflow);
  arena_ = std::move(arena);
  ReleaseBorrowed();
}

std::size_t TaskRows::CopyCellsInRowOrder(std::size_t width, bool lastCells, char* out,
                                          std::size_t room, std::size_t at, std::string* overflow) {
  const RowView::Texts texts = TextsHere();
  RunCopier copier(texts, out, room, at, overflow);
  // The cells a little ahead are asked for early, as they lie all over the old text.
  constexpr std::size_t kAhead = 16;
  // A text that many cells name, such as a date kept once by the load, stays named once; only
  // cells before a row's last are looked up.
  RecentCopies recent;
  const std::size_t step = lastCells ? width : 1;
  for (std::size_t i = lastCells ? width - 1 : 0; i < spans_.size(); i += step) {
    if (!lastCells && i % width == width - 1) continue;
    if (i + kAhead * step < spans_.size())
      __builtin_prefetch(texts.Of(spans_[i + kAhead * step]).data());
    Span& span = spans_[i];
    if (span.Length == 0) {
      span = {0, 0};
      continue;
    }
    const Span old = span;
    if (const Span* copy = lastCells ? nullptr : recent.Find(old)) {
      span = *copy;
      continue;
    }
    span = copier.Take(old);
    if (!lastCells) recent.Note(old, span);
  }
  return copier.Finish();
}

bool TaskRows::FindRowsOfRuns(std::size_t width, std::vector<std::uint32_t>& rowOfRun) const {
  if (width == 0 || spans_.size() % width != 0) return false;
  rowOfRun.assign(spans_.size() / width, kNoRow);
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    const Record record = rows_[r];
    if (record.Count != width || record.First % width != 0) return false;
    std::uint32_t& owner = rowOfRun[record.First / width];
    if (owner != kNoRow) return false;
    owner = static_cast<std::uint32_t>(r);
  }
  return true;
}

void TaskRows::DropDeadRuns(std::size_t width, std::vector<std::uint32_t>& rowOfRun) {
  if (deadSpans_ == 0) return;
  std::size_t next = 0;
  for (std::size_t k = 0; k < rowOfRun.size(); ++k) {
    const std::uint32_t row = rowOfRun[k];
    if (row == kNoRow) continue;
    if (k != next) {
      std::copy_n(spans_.begin() + static_cast<std::ptrdiff_t>(k * width), width,
                  spans_.begin() + static_cast<std::ptrdiff_t>(next * width));
      rows_[row].First = static_cast<std::uint32_t>(next * width);
      rowOfRun[next] = row;
    }
    ++next;
  }
  rowOfRun.resize(next);
  spans_.resize(next * width);
  deadSpans_ = 0;
}

// Row r's run is put at run r, by exchanging it with the run found there, whose row is told
// where its run went.
void TaskRows::MoveCellsInRowOrder(std::size_t width, std::vector<std::uint32_t>& rowOfRun) {
  const auto run = [&](std::size_t index) {
    return spans_.begin() + static_cast<std::ptrdiff_t>(index * width);
  };
  constexpr std::size_t kAhead = 8;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (r + kAhead < rows_.size()) {
      __builtin_prefetch(&spans_[rows_[r + kAhead].First]);
      __builtin_prefetch(&rows_[rowOfRun[r + kAhead]]);
    }
    const std::size_t from = rows_[r].First / width;
    if (from == r) continue;
    // The runs of rows before r are in place already, so `from` lies after r.
    std::swap_ranges(run(r), run(r + 1), run(from));
    const std::uint32_t displaced = rowOfRun[r];
    rows_[displaced].First = static_cast<std::uint32_t>(from * width);
    rowOfRun[from] = displaced;
    rows_[r].First = static_cast<std::uint32_t>(r * width);
  }
}

bool operator==(const TaskRows& a, const TaskRows& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace taskwell
