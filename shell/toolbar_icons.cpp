#include "shell/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace shell {

namespace {

constexpr int kSize = 32;

// The picture drawn afresh at each size a toolbar may ask for, from 100 % to 300 %
// screen scale, in the same 32-unit coordinates: sharp at any scale, never a stretched
// bitmap.
template <typename Draw>
QIcon Drawn(Draw draw) {
  QIcon icon;
  for (const int side : {16, 24, 28, 32, 42, 48, 56, 64, 84, 96}) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / qreal(kSize), side / qreal(kSize));
    draw(p);
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

// A signal head: the output cards and lamps.
QIcon TrafficLight() {
  return Drawn([](QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(9, 1, 14, 30), 3, 3);
    const QColor lights[] = {QColor(230, 30, 30), QColor(240, 200, 0), QColor(20, 200, 60)};
    for (int i = 0; i < 3; ++i) {
      p.setBrush(lights[i]);
      p.drawEllipse(QRectF(11.5, 3 + i * 9.3, 9, 9));
    }
  });
}

// A serial plug with its pins: the communication window.
QIcon SerialPlug() {
  return Drawn([](QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(70, 110, 190));
    const QPointF shell[] = {{3, 9}, {29, 9}, {25, 23}, {7, 23}};
    p.drawPolygon(shell, 4);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(8 + i * 4, 13.5), 1.3, 1.3);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(10 + i * 4, 18.5), 1.3, 1.3);
  });
}

// A grid with a pencil: the program editor.
QIcon GridPencil() {
  return Drawn([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(2, 4, 22, 22);
    for (int i = 1; i < 4; ++i) {
      const int at = static_cast<int>(i * 5.5);  // whole pixels, so the grid lines stay sharp
      p.drawLine(2, 4 + at, 24, 4 + at);
      p.drawLine(2 + at, 4, 2 + at, 26);
    }
    p.setPen(QPen(QColor(200, 120, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 26), QPointF(29, 9));
  });
}

// Rows of hexadecimal text: the buffer window.
QIcon HexRows() {
  return Drawn([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(3, 2, 26, 28);
    QFont f;
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 140));
    for (int i = 0; i < 4; ++i)
      p.drawText(QRect(5, 4 + i * 6, 24, 7), Qt::AlignLeft, QStringLiteral("0F A3"));
  });
}

// The style's save picture with a small "new name" mark.
QIcon SaveAs(const QStyle& style) {
  const QIcon save = style.standardIcon(QStyle::SP_DialogSaveButton);
  return Drawn([&save](QPainter& p) {
    save.paint(&p, QRect(0, 0, kSize, kSize));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 220, 60));
    p.drawEllipse(QRectF(18, 18, 13, 13));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(21, 24.5), QPointF(28, 24.5));
  });
}

}  // namespace

QIcon MakeToolIcon(ToolIcon which, const QStyle& style) {
  switch (which) {
    case ToolIcon::Open: return style.standardIcon(QStyle::SP_DialogOpenButton);
    case ToolIcon::New: return style.standardIcon(QStyle::SP_FileIcon);
    case ToolIcon::Save: return style.standardIcon(QStyle::SP_DialogSaveButton);
    case ToolIcon::SaveAs: return SaveAs(style);
    case ToolIcon::Lamps: return TrafficLight();
    case ToolIcon::Comm: return SerialPlug();
    case ToolIcon::Editor: return GridPencil();
    case ToolIcon::Buffer: return HexRows();
  }
  return {};
}

}  // namespace shell
