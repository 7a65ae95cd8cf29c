#pragma once
// A list model of the buffer lines over a snapshot of the ProgramImage. Lines are
// made when the view asks for them, so filling the list is one 64 KB copy however
// many lines it holds.

#include <QAbstractListModel>
#include <memory>

#include "program/program_image.h"

namespace monitor {

class BufferLinesModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit BufferLinesModel(QObject* parent = nullptr);

  // Takes a new snapshot of `image` and shows it.
  void Fill(const program::ProgramImage& image);
  // Shows no lines.
  void Clear();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::unique_ptr<program::ProgramImage> m_snapshot;  // null while cleared
};

}  // namespace monitor
