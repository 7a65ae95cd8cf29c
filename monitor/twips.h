#pragma once
// The windows are laid out in twips (1/1440 inch). These convert a
// twip layout to device-independent pixels at the screen's logical resolution, so a
// panel keeps its physical size on any monitor.

#include <QPaintDevice>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace monitor {

inline constexpr int kTwipsPerInch = 1440;

// Nearest pixel of a twip coordinate.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

// Edges are rounded rather than sizes, so that elements laid edge to edge in twips
// stay edge to edge in pixels.
inline QRect TwipRect(const QPaintDevice& device, int left, int top, int width, int height) {
  const int dx = device.logicalDpiX();
  const int dy = device.logicalDpiY();
  const int x0 = TwipsToPixels(left, dx);
  const int y0 = TwipsToPixels(top, dy);
  return {x0, y0, TwipsToPixels(left + width, dx) - x0, TwipsToPixels(top + height, dy) - y0};
}

inline QSize TwipSize(const QPaintDevice& device, int width, int height) {
  return {TwipsToPixels(width, device.logicalDpiX()), TwipsToPixels(height, device.logicalDpiY())};
}

// Places a child of `parent` at a twip rectangle of the parent. The size is fixed:
// besides keeping the layout, a fixed-size widget whose text changes does not ask its
// parent for a new layout, which matters for labels rewritten at every PC turn.
inline void PlaceTwips(QWidget& child, const QWidget& parent, int left, int top, int width, int height) {
  const QRect r = TwipRect(parent, left, top, width, height);
  child.setFixedSize(r.size());
  child.move(r.topLeft());
}

}  // namespace monitor
