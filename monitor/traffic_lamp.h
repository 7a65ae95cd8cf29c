#pragma once
// One three-light signal head (red over yellow over green) whose lit lights follow a
// small state code, drawn entirely by its own painter.

#include <QPixmap>
#include <QWidget>
#include <cstdint>

#include "link/link_display.h"

class QPainter;

namespace monitor {

class Trf_Lamp : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int State READ State WRITE SetState)

 public:
  // The head's fixed size and its lights' places, in twips.
  static constexpr int kWidthTwips = 390;
  static constexpr int kHeightTwips = 1005;
  static constexpr int kLightLeftTwips = 55;
  static constexpr int kLightSizeTwips = 270;
  static constexpr int kLightTopTwips[3] = {37, 360, 695};  // Shape_red, _yellow, _green

  enum class Light { Red = 0, Yellow = 1, Green = 2 };

  explicit Trf_Lamp(QWidget* parent = nullptr);

  std::int16_t State() const { return m_state; }
  // 0 dark, 1 red, 2 yellow, 3 red and yellow, 4 green; any other value is stored as
  // 0, so a code with the flashing bit or an impossible combination shows dark.
  void SetState(int state);

  bool IsLit(Light light) const;
  // The colour the light is drawn in now.
  bus::Rgb LightColour(Light light) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawHousing(QPainter& p) const;

  std::int16_t m_state = 0;
  // The head without its lights, drawn once: antialiased curves are the dearest part
  // of a repaint, and 36 heads repaint at every PC turn that changes a lamp.
  QPixmap m_housing;
};

}  // namespace monitor
