#include "monitor/traffic_lamp.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "monitor/twips.h"

namespace monitor {

namespace {

struct LightColours {
  bus::Rgb lit;
  bus::Rgb dark;
};

constexpr std::array<LightColours, 3> kColours = {{
    {0xFF0000, 0x400000},
    {0xFFFF00, 0x404000},
    {0x00FF00, 0x004000},
}};

// Bit 0 red, bit 1 yellow, bit 2 green: the signal-state bits, for the five states the
// head can show.
constexpr std::array<int, 5> kLitBits = {0b000, 0b001, 0b010, 0b011, 0b100};

QColor Colour(bus::Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

Trf_Lamp::Trf_Lamp(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Trf_Lamp"));
  // A fixed size also snaps back any resize a layout or the user asks for.
  setFixedSize(TwipSize(*this, kWidthTwips, kHeightTwips));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Trf_Lamp::SetState(int state) {
  const auto stored = static_cast<std::int16_t>(state >= 0 && state <= 4 ? state : 0);
  if (stored == m_state) return;
  m_state = stored;
  update();
}

bool Trf_Lamp::IsLit(Light light) const {
  return (kLitBits[static_cast<std::size_t>(m_state)] >> static_cast<int>(light)) & 1;
}

bus::Rgb Trf_Lamp::LightColour(Light light) const {
  const auto& c = kColours[static_cast<std::size_t>(light)];
  return IsLit(light) ? c.lit : c.dark;
}

void Trf_Lamp::DrawHousing(QPainter& p) const {
  if (QWidget* back = parentWidget()) {
    p.fillRect(QRectF(0, 0, kWidthTwips, kHeightTwips), back->palette().color(QPalette::Window));
  } else {
    p.fillRect(QRectF(0, 0, kWidthTwips, kHeightTwips), palette().color(QPalette::Window));
  }
  // A dark body with a lighter rim.
  const QRectF body(8, 4, kWidthTwips - 16, kHeightTwips - 8);
  p.setPen(QPen(QColor(110, 110, 110), 12));
  p.setBrush(QColor(36, 36, 36));
  p.drawRoundedRect(body, 40, 40);
  for (const int top : kLightTopTwips) {
    const QRectF lens(kLightLeftTwips, top, kLightSizeTwips, kLightSizeTwips);
    // A visor over each light, open to the bottom.
    const QRectF hood = lens.adjusted(-18, -18, 18, 18);
    QPainterPath visor;
    visor.arcMoveTo(hood, 200);
    visor.arcTo(hood, 200, -220);
    p.setPen(QPen(QColor(10, 10, 10), 16, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(visor);
  }
}

void Trf_Lamp::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (m_housing.size() != pixels || m_housing.devicePixelRatio() != ratio) {
    m_housing = QPixmap(pixels);
    m_housing.setDevicePixelRatio(ratio);
    QPainter h(&m_housing);
    h.setRenderHint(QPainter::Antialiasing);
    h.scale(width() / double(kWidthTwips), height() / double(kHeightTwips));
    DrawHousing(h);
  }

  QPainter p(this);
  p.drawPixmap(0, 0, m_housing);
  p.setRenderHint(QPainter::Antialiasing);
  // Drawn in twips, scaled to whatever pixel size the fixed size came out as.
  p.scale(width() / double(kWidthTwips), height() / double(kHeightTwips));
  p.setPen(QPen(Qt::black, 10));
  for (int i = 0; i < 3; ++i) {
    p.setBrush(Colour(LightColour(static_cast<Light>(i))));
    p.drawEllipse(QRectF(kLightLeftTwips, kLightTopTwips[i], kLightSizeTwips, kLightSizeTwips));
  }
}

}  // namespace monitor
