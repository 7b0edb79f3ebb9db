#pragma once
// The pictures of the palette buttons and the program icon, drawn from the game's sprites.
#include <QIcon>
#include <QImage>
#include <string>

namespace mapwright {

class Canvas;

// Shapes that tell the colours apart without colour, as the game's colour-blind sprites do.
enum class MarkShape { Hexagon, Pentagon, Triangle, Circle, Square, Star };
MarkShape ShapeForCell(char cell);
// Draws the white shape with its dark outline, centred on (cx, cy).
void DrawMarkShape(QImage& image, MarkShape shape, double cx, double cy, double radius);

// Icon of a palette tool: the tool's plain sprite drawn as on the canvas over the first ground
// tile; with colourBlind, a cube or sphere also carries its colour's shape.
QImage ToolIcon(char cell, bool colourBlind, const Canvas& canvas, const std::string& appFolder);

QIcon ProgramIcon();

}  // namespace mapwright
