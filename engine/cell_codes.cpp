#include "engine/cell_codes.h"

namespace engine {

Cell CellFromChar(char c) {
  Cell cell;
  cell.kind = CellKind::Empty;
  auto cube = [&](CubeColor color) {
    cell.kind = CellKind::Cube;
    cell.cubeColor = color;
  };
  auto sphere = [&](CubeColor color) {
    cell.kind = CellKind::Sphere;
    cell.sphereColor = color;
  };
  switch (c) {
    case 'X': cell.kind = CellKind::Block; break;
    case 'x': cell.kind = CellKind::CrackedBlock; break;
    case 'C': cell.kind = CellKind::CrushBlock; break;
    case 'T': cell.kind = CellKind::Trapdoor; break;
    case 'R': cube(CubeColor::Red); break;
    case 'B': cube(CubeColor::Blue); break;
    case 'G': cube(CubeColor::Green); break;
    case 'W': cube(CubeColor::Violet); break;
    case 'L': cube(CubeColor::Black); break;
    case 'H': cube(CubeColor::Orange); break;
    case 'r': sphere(CubeColor::Red); break;
    case 'b': sphere(CubeColor::Blue); break;
    case 'g': sphere(CubeColor::Green); break;
    case 'w': sphere(CubeColor::Violet); break;
    case 'l': sphere(CubeColor::Black); break;
    case 'h': sphere(CubeColor::Orange); break;
    default: break;
  }
  return cell;
}

char CubeLetter(CubeColor color) {
  switch (color) {
    case CubeColor::Red: return 'R';
    case CubeColor::Blue: return 'B';
    case CubeColor::Green: return 'G';
    case CubeColor::Violet: return 'W';
    case CubeColor::Black: return 'L';
    case CubeColor::Orange: return 'H';
    case CubeColor::None: break;
  }
  return '?';
}

char SphereLetter(CubeColor color) {
  const char c = CubeLetter(color);
  return c == '?' ? '?' : static_cast<char>(c - 'A' + 'a');
}

}  // namespace engine
