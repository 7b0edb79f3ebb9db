#include "editor/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "editor/canvas.h"
#include "editor/functions.h"
#include "platform/paths.h"

namespace mapwright {

namespace {

const char* SpriteBase(char cell) {
  switch (cell) {
    case 'L': return "data/sprites/cubes/blackcube";
    case 'B': return "data/sprites/cubes/bluecube";
    case 'W': return "data/sprites/cubes/violetcube";
    case 'G': return "data/sprites/cubes/greencube";
    case 'R': return "data/sprites/cubes/redcube";
    case 'H': return "data/sprites/cubes/orangecube";
    case 'l': return "data/sprites/spheres/blacksphere";
    case 'b': return "data/sprites/spheres/bluesphere";
    case 'w': return "data/sprites/spheres/violetsphere";
    case 'g': return "data/sprites/spheres/greensphere";
    case 'r': return "data/sprites/spheres/redsphere";
    case 'h': return "data/sprites/spheres/orangesphere";
    default: return nullptr;
  }
}

QImage LoadPlain(const std::string& path) {
  if (!FileFound(path)) return {};
  QImage image(QString::fromStdString(platform::ResolvePath(path)));
  return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

QPolygonF RegularPolygon(int corners, double cx, double cy, double radius, double startDeg) {
  QPolygonF polygon;
  for (int i = 0; i < corners; ++i) {
    const double a = qDegreesToRadians(startDeg + 360.0 * i / corners);
    polygon << QPointF(cx + radius * std::cos(a), cy + radius * std::sin(a));
  }
  return polygon;
}

}  // namespace

MarkShape ShapeForCell(char cell) {
  switch (cell) {
    case 'B': case 'b': return MarkShape::Hexagon;
    case 'G': case 'g': return MarkShape::Pentagon;
    case 'H': case 'h': return MarkShape::Triangle;
    case 'R': case 'r': return MarkShape::Circle;
    case 'L': case 'l': return MarkShape::Square;
    default: return MarkShape::Star;
  }
}

void DrawMarkShape(QImage& image, MarkShape shape, double cx, double cy, double radius) {
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(17, 19, 23), radius > 5 ? 1.6 : 1.2));
  p.setBrush(Qt::white);
  switch (shape) {
    case MarkShape::Hexagon: p.drawPolygon(RegularPolygon(6, cx, cy, radius, 0)); break;
    case MarkShape::Pentagon: p.drawPolygon(RegularPolygon(5, cx, cy, radius, -90)); break;
    case MarkShape::Triangle:
      p.drawPolygon(RegularPolygon(3, cx, cy + radius * 0.15, radius * 1.1, -90));
      break;
    case MarkShape::Circle: p.drawEllipse(QPointF(cx, cy), radius * 0.85, radius * 0.85); break;
    case MarkShape::Square: {
      const double h = radius * 0.75;
      p.drawRect(QRectF(cx - h, cy - h, 2 * h, 2 * h));
      break;
    }
    case MarkShape::Star: {
      QPolygonF star;
      for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? radius * 1.05 : radius * 0.45;
        const double a = qDegreesToRadians(-90.0 + 36.0 * i);
        star << QPointF(cx + r * std::cos(a), cy + r * std::sin(a));
      }
      p.drawPolygon(star);
      break;
    }
  }
}

QImage ToolIcon(char cell, bool colourBlind, const Canvas& canvas, const std::string& appFolder) {
  // Ground tile, then the sprite exactly as the level shows it.
  QImage tile(Canvas::kCellSize, Canvas::kCellSize, QImage::Format_RGB32);
  tile.fill(QColor(200, 215, 225));
  if (!canvas.background().isNull()) tile = canvas.background().copy(0, 0, 31, 31);

  QImage icon = tile;
  const QImage* sprite = canvas.Sprite(cell);
  const QImage* mask = canvas.MaskFor(cell);
  QImage plainSprite, plainMask;
  if (const char* base = SpriteBase(cell)) {
    // The canvas may hold the colour-blind sprites; the icons start from the plain ones.
    plainSprite = LoadPlain(appFolder + base + ".bmp");
    plainMask = LoadPlain(appFolder + (IsSphereChar(cell) ? "data/sprites/spheres/spheremask.bmp"
                                                          : "data/sprites/cubes/cubemask.bmp"));
    if (!plainSprite.isNull()) sprite = &plainSprite;
    if (!plainMask.isNull()) mask = &plainMask;
  }
  auto blit = [&icon](const QImage& src, bool andOp) {
    const int w = std::min(icon.width(), src.width());
    const int h = std::min(icon.height(), src.height());
    for (int y = 0; y < h; ++y) {
      auto* d = reinterpret_cast<QRgb*>(icon.scanLine(y));
      const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
      for (int x = 0; x < w; ++x) d[x] = (andOp ? (d[x] & s[x]) : (d[x] | s[x])) | 0xFF000000u;
    }
  };
  if (cell == 'T') {
    if (sprite != nullptr)
      Canvas::AlphaBlendRect(icon, 0, 0, 31, 31, *sprite, 0, 0, Canvas::kTrapdoorAlpha);
  } else if (sprite != nullptr && !sprite->isNull()) {
    if (mask != nullptr && !mask->isNull()) blit(*mask, true);
    blit(*sprite, false);
  }
  if (colourBlind && (IsCubeChar(cell) || IsSphereChar(cell)))
    DrawMarkShape(icon, ShapeForCell(cell), 15.5, 15.5, IsCubeChar(cell) ? 7.5 : 4.5);
  return icon;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    QLinearGradient ice(0, 0, size, size);
    ice.setColorAt(0, QColor(0xBF, 0xE3, 0xF5));
    ice.setColorAt(1, QColor(0x5C, 0xD6, 0xF5));
    p.setBrush(ice);
    p.setPen(QPen(QColor(0x16, 0x3A, 0x55), 1.5 * s));
    p.drawRoundedRect(QRectF(1.5 * s, 1.5 * s, 29 * s, 29 * s), 5 * s, 5 * s);
    p.setPen(QPen(QColor(0x16, 0x3A, 0x55, 140), 1.0 * s));
    for (int i = 1; i < 3; ++i) {
      p.drawLine(QPointF(1.5 * s + i * 29 * s / 3, 3 * s), QPointF(1.5 * s + i * 29 * s / 3, 29 * s));
      p.drawLine(QPointF(3 * s, 1.5 * s + i * 29 * s / 3), QPointF(29 * s, 1.5 * s + i * 29 * s / 3));
    }
    p.setPen(QPen(QColor(0x8E, 0x23, 0x20), 1.0 * s));
    p.setBrush(QColor(0xD6, 0x45, 0x41));
    p.drawRoundedRect(QRectF(12 * s, 12 * s, 8.5 * s, 8.5 * s), 2 * s, 2 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x7F, 0xD1));
    p.drawEllipse(QPointF(25.5 * s, 6.5 * s), 2.6 * s, 2.6 * s);
    p.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace mapwright
