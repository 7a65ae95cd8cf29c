#pragma once
// A round lamp filled with one colour, as the port LED and similar indicators.

#include <QColor>
#include <QWidget>

namespace monitor {

class StatusLed : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor color READ Color)
 public:
  explicit StatusLed(QWidget* parent = nullptr);
  void SetColor(const QColor& color);
  QColor Color() const { return m_color; }
  QSize sizeHint() const override { return {18, 18}; }

 protected:
  void paintEvent(class QPaintEvent* event) override;

 private:
  QColor m_color{Qt::red};
};

}  // namespace monitor
