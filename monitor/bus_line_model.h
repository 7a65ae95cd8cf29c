#pragma once
// The bus monitor's table: the lines of the store that pass the filter, one row each,
// with the time, direction, device, function, meaning and raw text. The meaning is
// made only when a row is drawn; a refused line is red with its reason. While paused
// the rows stand still and the store goes on filling.

#include <QAbstractTableModel>
#include <QDateTime>

#include <cstdint>
#include <functional>
#include <optional>

#include "link/bus_line_filter.h"
#include "link/bus_line_store.h"
#include "link/frame_meaning.h"

namespace monitor {

class BusLineModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Time, Direction, Device, Function, Meaning, Raw, ColumnCount };

  explicit BusLineModel(const bus::BusLineStore& store, QObject* parent = nullptr);

  // The wall clock at a line's time, for the time's tooltip.
  std::function<QDateTime(std::int64_t micros)> wallClock;

  // Takes in the lines the store gained; nothing while paused.
  void Refresh();
  void SetPaused(bool paused);
  bool Paused() const { return m_paused; }
  void SetFilter(bus::BusLineFilter filter);
  const bus::BusLineFilter& Filter() const { return m_rows.Filter(); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const bus::FrameMeaning& MeaningOf(const bus::BusLineView& line) const;

  const bus::BusLineStore& m_store;
  bus::FilteredLines m_rows;
  int m_shown = 0;
  bool m_paused = false;
  char m_decimal = ',';
  // The meaning of the last row drawn: a row asks for it once per column.
  mutable std::optional<std::uint64_t> m_meaningSeq;
  mutable bus::FrameMeaning m_meaning;
};

}  // namespace monitor
