#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace taskwell {

// The font as the printer measures it, in device units.
struct TextMetrics {
  int TextHeight = 0;        // height of a drawn line of text
  int CharHeight = 0;        // the font's character height, the advance of a line without text
  int AverageCharWidth = 0;  // tab stops lie at multiples of eight of these
};

// One thing for the printer to do: draw a piece of text with its top-left corner at (X, Y) of the
// printable area, or begin a new page.
struct LayoutStep {
  enum class Kind { Draw, NewPage };
  Kind What = Kind::Draw;
  int X = 0;
  int Y = 0;
  std::string Text;
  bool operator==(const LayoutStep&) const = default;
};

// Places the lines of a plain-text printout on pages: long lines break at the last character
// that fits, tabs move to the next stop, a form feed starts a new page, and the page breaks when
// the next line would come too close to the bottom. Lines are UTF-8; widths come from the
// measuring function so that the arithmetic is the same on any printer.
class TextLayout {
 public:
  using Measure = std::function<int(std::string_view)>;

  TextLayout(int pageWidth, int pageHeight, const TextMetrics& metrics, Measure measure);

  // The steps that print one line.
  std::vector<LayoutStep> WriteLine(std::string_view line);

  // Where the next line starts: page index from 0, and the top on that page.
  int Page() const { return pageIndex_; }
  int Top() const { return y_; }

 private:
  void Text(std::string_view run, std::vector<LayoutStep>& steps);
  void Tab();
  void NewLine();
  void FormFeed();
  // A start of a run: its length in bytes and its width.
  struct Piece {
    std::size_t Bytes = 0;
    int Width = 0;
  };
  void Draw(std::string_view text, int width, std::vector<LayoutStep>& steps);
  // The longest start of run, cut between characters, that fits from X.
  Piece FittingPiece(std::string_view run) const;

  int width_;
  int height_;
  TextMetrics metrics_;
  Measure measureText_;

  int x_ = 0;
  int y_ = 0;
  int pageIndex_ = 0;
  // Pages that have begun but have nothing on them yet. They reach the printer only when
  // something is drawn, so a printout never ends on an empty page.
  int pendingPages_ = 0;
  bool lineHasText_ = false;
};

}  // namespace taskwell
