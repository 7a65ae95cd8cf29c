#include "monitor/bus_line_model.h"

#include <QBrush>
#include <QFontDatabase>
#include <QLocale>

#include <algorithm>

namespace monitor {
namespace {

// A new search over a million lines is spread over a few refreshes.
constexpr std::size_t kScanPerRefresh = 200'000;

QString DirectionText(const bus::BusLineView& line) {
  if (line.withheld) return QStringLiteral("PC (gönderilmedi)");
  return line.direction == bus::LineDirection::Sent ? QStringLiteral("PC → hat") : QStringLiteral("hat → PC");
}

}  // namespace

BusLineModel::BusLineModel(const bus::BusLineStore& store, QObject* parent)
    : QAbstractTableModel(parent), m_store(store) {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) m_decimal = static_cast<char>(point[0].unicode());
}

void BusLineModel::Refresh() {
  if (m_paused) return;
  const bus::FilteredLines::Change change = m_rows.Update(m_store, kScanPerRefresh);
  if (change.removedFront > 0) {
    // The store let its oldest lines go: rare, and simplest told as a new table.
    beginResetModel();
    m_shown = static_cast<int>(m_rows.Size());
    m_meaningSeq.reset();
    endResetModel();
    return;
  }
  if (change.added == 0) return;
  beginInsertRows({}, m_shown, m_shown + static_cast<int>(change.added) - 1);
  m_shown = static_cast<int>(m_rows.Size());
  endInsertRows();
}

void BusLineModel::SetPaused(bool paused) {
  m_paused = paused;
  Refresh();
}

void BusLineModel::SetFilter(bus::BusLineFilter filter) {
  beginResetModel();
  m_rows.SetFilter(std::move(filter));
  m_shown = 0;
  endResetModel();
  const bool paused = std::exchange(m_paused, false);
  Refresh();
  m_paused = paused;
}

int BusLineModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_shown; }

int BusLineModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const bus::FrameMeaning& BusLineModel::MeaningOf(const bus::BusLineView& line) const {
  if (m_meaningSeq != line.seq) {
    m_meaning = bus::MeaningOf(line.bytes, m_decimal);
    m_meaningSeq = line.seq;
  }
  return m_meaning;
}

QVariant BusLineModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_shown) return {};
  const auto line = m_store.Find(m_rows.SeqAt(static_cast<std::size_t>(index.row())));
  if (!line) return {};
  const bool refused = line->check.fault != bus::LineFault::None;
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case Time: return QString::number(line->micros / 1000);
        case Direction: return DirectionText(*line);
        case Device: return QString::fromStdString(MeaningOf(*line).device);
        case Function: return QString::fromStdString(MeaningOf(*line).function);
        case Meaning: return QString::fromStdString(MeaningOf(*line).text);
        case Raw: return QString::fromLatin1(line->bytes.data(), static_cast<qsizetype>(line->bytes.size()));
        default: return {};
      }
    case Qt::ToolTipRole:
      if (index.column() == Time && wallClock) {
        return wallClock(line->micros).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz"));
      }
      if (index.column() == Meaning || index.column() == Raw) return data(index, Qt::DisplayRole);
      return {};
    case Qt::ForegroundRole:
      if (refused) return QBrush(QColor(255, 0, 0));
      if (line->withheld) return QBrush(Qt::gray);
      return {};
    case Qt::TextAlignmentRole:
      return index.column() == Time ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::FontRole:
      return index.column() == Raw ? QVariant(QFontDatabase::systemFont(QFontDatabase::FixedFont))
                                   : QVariant();
    default: return {};
  }
}

QVariant BusLineModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const kHeads[] = {"Zaman (ms)", "Yön", "Cihaz", "İşlev", "Anlamı", "Satır"};
  if (section < 0 || section >= ColumnCount) return {};
  return QString::fromUtf8(kHeads[section]);
}

}  // namespace monitor
