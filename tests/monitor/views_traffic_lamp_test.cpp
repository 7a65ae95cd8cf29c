// The signal head as it is painted.

#include <QImage>

#include "monitor/traffic_lamp.h"
#include "monitor/twips.h"
#include "views_app.h"

using namespace kxtest;
using monitor::Trf_Lamp;

namespace {

using TrafficLamp = ViewTest;

// The painted colour at the centre of light i (0 red, 1 yellow, 2 green).
QColor Painted(Trf_Lamp& lamp, int i) {
  const QImage shot = lamp.grab().toImage();
  const double sx = shot.width() / double(Trf_Lamp::kWidthTwips);
  const double sy = shot.height() / double(Trf_Lamp::kHeightTwips);
  const int x = int((Trf_Lamp::kLightLeftTwips + Trf_Lamp::kLightSizeTwips / 2) * sx);
  const int y = int((Trf_Lamp::kLightTopTwips[i] + Trf_Lamp::kLightSizeTwips / 2) * sy);
  return shot.pixelColor(x, y);
}

struct Lights {
  QColor red, yellow, green;
};
const QColor kRedLit(255, 0, 0), kRedDark(64, 0, 0);
const QColor kYellowLit(255, 255, 0), kYellowDark(64, 64, 0);
const QColor kGreenLit(0, 255, 0), kGreenDark(0, 64, 0);

void ExpectPainted(Trf_Lamp& lamp, const Lights& want, int state) {
  EXPECT_EQ(Painted(lamp, 0), want.red) << "state " << state;
  EXPECT_EQ(Painted(lamp, 1), want.yellow) << "state " << state;
  EXPECT_EQ(Painted(lamp, 2), want.green) << "state " << state;
}

}  // namespace

TEST_F(TrafficLamp, EachStateLightsItsLights) {
  Trf_Lamp lamp;
  EXPECT_EQ(lamp.State(), 0);
  ExpectPainted(lamp, {kRedDark, kYellowDark, kGreenDark}, 0);
  const Lights table[] = {{kRedDark, kYellowDark, kGreenDark},
                          {kRedLit, kYellowDark, kGreenDark},
                          {kRedDark, kYellowLit, kGreenDark},
                          {kRedLit, kYellowLit, kGreenDark},
                          {kRedDark, kYellowDark, kGreenLit}};
  for (int s : {1, 2, 3, 4, 0, 4}) {
    lamp.SetState(s);
    EXPECT_EQ(lamp.State(), s);
    ExpectPainted(lamp, table[s], s);
  }
}

TEST_F(TrafficLamp, CodesBeyondTheFiveStatesShowDark) {
  Trf_Lamp lamp;
  for (int s : {5, 9, 12, 15, -1, 32767, 65536}) {
    lamp.SetState(3);
    lamp.SetState(s);
    EXPECT_EQ(lamp.State(), 0) << s;
    ExpectPainted(lamp, {kRedDark, kYellowDark, kGreenDark}, s);
  }
}

TEST_F(TrafficLamp, KeepsItsSizeInTwips) {
  Trf_Lamp lamp;
  const QSize want = monitor::TwipSize(lamp, 390, 1005);
  EXPECT_EQ(lamp.size(), want);
  lamp.resize(200, 50);
  EXPECT_EQ(lamp.size(), want);
  if (lamp.logicalDpiX() == 96) {
    EXPECT_EQ(want, QSize(26, 67));
  }
}
