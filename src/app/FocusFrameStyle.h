#pragma once

#include <QProxyStyle>

namespace taskwell {

// The desktop's style, with a focus frame that keyboard users can see: a two-pixel line in the
// highlight colour inside the focused button and around the Find box and the grid's cell editor,
// where many styles draw a faint dotted or tinted one. Everything else is drawn as before.
class FocusFrameStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

  static constexpr int FrameWidth = 2;
};

}  // namespace taskwell
