#pragma once
// "Eğilimler": what the junction did over time, from the recording the main window
// keeps. Plots of the CPU card's measurements, the chosen triac cards' supply and
// channel currents, and the run states with the moments fault bits came and went,
// all on one time axis that follows the newest sample or holds still.

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "link/clock.h"
#include "link/trend_store.h"
#include "monitor/trend_view.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace monitor {

class TimePlot;
class TrendPlot;
class TrendStatesPlot;

class TrendsWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPlots = 7;
  static constexpr int kRefreshMs = 200;

  TrendsWindow(const bus::TrendStore& store, const bus::Clock& clock, QWidget* parent = nullptr);

  // Where "CSV olarak kaydet" writes; empty: the user changed their mind. A file
  // dialog unless a test answers.
  std::function<QString()> AskCsvPath;

  // Follows the recording now (the refresh timer does this while the window is open).
  void Refresh();
  // The time the cursor stands at, read out below the plots; below 0 clears it.
  void SetCursor(std::int64_t micros);
  void SaveCsv();

  // Another view of the same time range, as a tab beside the plots; it hears the
  // range through rangeChanged.
  void AddView(QWidget* view, const QString& title);

  TimeRange Visible() const;
  // Wide enough for a day's plot, low enough for a 1366 x 768 screen.
  QSize sizeHint() const override { return {1240, 560}; }
  std::vector<TimePlot*> Plots() const;

 signals:
  void statusMessage(const QString& text);
  void rangeChanged(qint64 from, qint64 to);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls(QWidget* side);
  void ChooseSpan(std::int64_t micros);
  void SetLines();
  void Zoom(double fraction, double factor);
  void Pan(double fraction);
  void ApplyRange();
  QString Readout(std::int64_t micros) const;
  void AddPlot(TimePlot* plot);

  const bus::TrendStore& m_store;
  const bus::Clock& m_clock;
  TrendView m_view;
  std::int64_t m_cursor = -1;
  std::int64_t m_wallOffset = 0;
  char m_decimal = '.';
  QTimer m_refresh;

  std::array<TrendPlot*, kPlots> m_plots{};
  TrendStatesPlot* m_states = nullptr;
  std::vector<TimePlot*> m_allPlots;
  std::array<QCheckBox*, kPlots> m_plotChecks{};
  std::array<QCheckBox*, 8> m_cardChecks{};
  std::array<QCheckBox*, 4> m_channelChecks{};
  QButtonGroup* m_spans = nullptr;
  QPushButton* m_pause = nullptr;
  QLabel* m_readout = nullptr;
  QTabWidget* m_tabs = nullptr;
  bool m_placed = false;
};

}  // namespace monitor
