#pragma once
// The window that lists the differences between the open project and another project
// file, in the editors' terms ("Program3 adım 5 Grup-7: Yeşil -> Kırmızı").

#include <QString>
#include <vector>

#include "program/image_compare.h"

class QWidget;

namespace shell {

// A window of its own (deleted when closed); `left` and `right` name the two sides,
// the left values being the open project's.
QWidget* MakeCompareWindow(const QString& left, const QString& right,
                           const std::vector<program::ImageDifference>& differences, QWidget* parent);

}  // namespace shell
