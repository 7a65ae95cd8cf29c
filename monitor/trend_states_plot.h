#pragma once
// The run states over time, one row each for the CPU card, the detector and GPS
// modules and the eight triac cards, in the colours the card panels use, and a row of
// marks where a fault bit appeared (red, pointing up) or cleared (green, pointing down).

#include <vector>

#include "link/trend_store.h"
#include "monitor/time_plot.h"

namespace monitor {

class TrendStatesPlot : public TimePlot {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 13;
  static constexpr int kStateRows = 3 + 8;

  explicit TrendStatesPlot(const bus::TrendStore& store, QWidget* parent = nullptr);

  // The fault marks drawn last time, for the tests.
  const std::vector<bus::FaultEvent>& MarkedFaults() const { return m_marked; }

 protected:
  void PaintContent(QPainter& p, const QRect& area) override;

 private:
  const bus::TrendStore& m_store;
  std::vector<bus::FaultEvent> m_marked;
};

}  // namespace monitor
