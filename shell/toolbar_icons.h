#pragma once
// The pictures of the main window's toolbar, drawn here or taken from the style.

#include <QIcon>

class QStyle;

namespace shell {

enum class ToolIcon { Open, New, Save, SaveAs, Lamps, Comm, Editor, Buffer };

QIcon MakeToolIcon(ToolIcon which, const QStyle& style);

}  // namespace shell
