#include "program/editors/group_name_tooltips.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

namespace program::editors {

GroupNameToolTips::GroupNameToolTips(QHeaderView& header, std::function<const JunctionData&()> junction)
    : QObject(&header), m_header(header), m_junction(std::move(junction)) {
  setObjectName(QStringLiteral("GroupNameToolTips"));
  header.viewport()->installEventFilter(this);
}

QString GroupNameToolTips::ToolTip(int column) const {
  const std::string_view name = GroupName(m_junction(), column);
  if (name.empty()) return {};
  return QStringLiteral("Grup-%1: %2")
      .arg(column)
      .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

bool GroupNameToolTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString text = ToolTip(m_header.logicalIndexAt(help->pos()));
  if (text.isEmpty()) return QObject::eventFilter(watched, event);
  QToolTip::showText(help->globalPos(), text, m_header.viewport());
  return true;
}

}  // namespace program::editors
