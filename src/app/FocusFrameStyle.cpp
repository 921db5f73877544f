#include "app/FocusFrameStyle.h"

#include <QPainter>
#include <QPalette>
#include <QStyleOption>

namespace taskwell {
namespace {

void DrawFrame(const QStyleOption& option, QPainter& painter, int inset = 0) {
  const QRect r = option.rect.adjusted(inset, inset, -inset, -inset);
  constexpr int w = FocusFrameStyle::FrameWidth;
  if (r.width() <= 2 * w || r.height() <= 2 * w) return;
  const QColor colour = option.palette.color(QPalette::Active, QPalette::Highlight);
  painter.fillRect(QRect(r.left(), r.top(), r.width(), w), colour);
  painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour);
  painter.fillRect(QRect(r.left(), r.top(), w, r.height()), colour);
  painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), colour);
}

}  // namespace

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_FrameFocusRect:
      // The style's own dotted or tinted frame gives way to the strong one.
      DrawFrame(*option, *painter);
      return;
    case PE_PanelLineEdit:
      // The Find box and the grid's cell editor, framed or not, get the focus line over them.
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      if (option->state & State_HasFocus) DrawFrame(*option, *painter);
      return;
    case PE_PanelButtonCommand:
      // Inside the button's own border, which stays as the style draws it.
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      if (option->state & State_HasFocus) DrawFrame(*option, *painter, FrameWidth);
      return;
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

}  // namespace taskwell
