#pragma once
// The one question the link asks: before an action of the user would end a program
// download halfway and leave the controller with an incomplete program.

class QWidget;

namespace monitor {

inline constexpr const char* kAbandonDownloadQuestion =
    "Program yüklemesi sürüyor. Yarıda kesilirse kontrolör eksik programla kalabilir. "
    "Yine de durdurulsun mu?";

// True when the user chose to abandon the download; "Hayır" is the default.
bool AskAbandonDownload(QWidget* parent);

}  // namespace monitor
