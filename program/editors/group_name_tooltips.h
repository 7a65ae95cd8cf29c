#pragma once
// The junction's group names as tooltips of the step grid's group column titles
// ("Grup-7: A1 Kuzey"), read at the moment the tooltip shows.

#include <QObject>
#include <functional>

#include "program/junction_data.h"

class QHeaderView;

namespace program::editors {

class GroupNameToolTips : public QObject {
  Q_OBJECT

 public:
  // Lives as long as the header; `junction` gives the data in use.
  GroupNameToolTips(QHeaderView& header, std::function<const JunctionData&()> junction);

  // The tooltip of the title of grid column `column` (1-32 = groups); empty without one.
  QString ToolTip(int column) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QHeaderView& m_header;
  std::function<const JunctionData&()> m_junction;
};

}  // namespace program::editors
