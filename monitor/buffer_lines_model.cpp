#include "monitor/buffer_lines_model.h"

#include "monitor/buffer_lines.h"

namespace monitor {

BufferLinesModel::BufferLinesModel(QObject* parent) : QAbstractListModel(parent) {}

void BufferLinesModel::Fill(const program::ProgramImage& image) {
  beginResetModel();
  if (!m_snapshot) m_snapshot = std::make_unique<program::ProgramImage>();
  *m_snapshot = image;
  endResetModel();
}

void BufferLinesModel::Clear() {
  beginResetModel();
  m_snapshot.reset();
  endResetModel();
}

int BufferLinesModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_snapshot) return 0;
  return kBufferLines;
}

QVariant BufferLinesModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !m_snapshot || !index.isValid()) return {};
  return QString::fromLatin1(BufferLine(*m_snapshot, index.row()));
}

}  // namespace monitor
