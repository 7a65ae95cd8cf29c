#pragma once
// A label that shows a state by its back colour. The colour is a plain member painted
// under the text: changing it costs one repaint, where a palette change would cost a
// palette propagation and a change event, dozens of times at every PC turn.

#include <QLabel>

#include "link/link_display.h"

namespace monitor {

class StatusLabel : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLabel(const QString& text, QWidget* parent = nullptr);

  void SetBackColour(bus::Rgb colour);
  // No back colour of its own: the parent shows through.
  void ClearBackColour();
  bool HasBackColour() const { return m_filled; }
  bus::Rgb BackColour() const { return m_back; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bus::Rgb m_back = bus::kWhite;
  bool m_filled = true;
};

}  // namespace monitor
