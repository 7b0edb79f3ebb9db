#include "tools/frostlide-cli/cli_ports.h"

#include "engine/cell_codes.h"
#include "engine/game_rules.h"
#include "platform/codepage.h"

namespace cli {

bool TextPrompt::Say(const std::string& text, bool yesNo) {
  if (!yesNo) {
    out_ << "message: " << text << "\n";
    return false;
  }
  out_ << "ask: " << text << " -> " << (yes_ ? "yes" : "no") << "\n";
  return yes_;
}

CliSession::CliSession(std::ostream& out, bool answerYes)
    : sound_(out),
      prompt_(out, answerYes),
      host_(out),
      game_({painter_, sound_, prompt_, clock_, host_},
            engine::GameSettings{1, std::string(), /*checkDataFiles=*/false}) {}

std::string CellToken(const engine::Cell& cell) {
  using engine::CellKind;
  switch (cell.kind) {
    case CellKind::Empty: return ".";
    case CellKind::Block: return "X";
    case CellKind::CrackedBlock: return "x";
    case CellKind::CrushBlock: return "C";
    case CellKind::Trapdoor: return "T";
    case CellKind::Cube: return std::string(1, engine::CubeLetter(cell.cubeColor));
    case CellKind::Sphere: return std::string(1, engine::SphereLetter(cell.sphereColor));
    case CellKind::CubeOnSphere:
      return std::string{engine::CubeLetter(cell.cubeColor), engine::SphereLetter(cell.sphereColor)};
    case CellKind::CubeOnTrapdoor: return std::string{engine::CubeLetter(cell.cubeColor), 'T'};
    case CellKind::None: break;
  }
  return "?";
}

std::string ForTerminal(const std::string& text) { return platform::Cp1252ToUtf8(text); }

void PrintBoard(const engine::Game& game, std::ostream& out) {
  const engine::GameState& s = game.state();
  out << "pack: " << ForTerminal(s.collectionName) << "\n";
  out << "level: " << s.currentLevel << " of " << s.numberOfLevels << "\n";
  out << "scenery: " << s.scenery << "\n";
  for (int y = 1; y <= engine::kBoardSize; ++y) {
    for (int x = 1; x <= engine::kBoardSize; ++x) {
      if (x > 1) out << ' ';
      out << CellToken(s.board.at(x, y));
    }
    out << "\n";
  }
  out << "won: " << (engine::IsSolved(s.board) ? "yes" : "no") << "\n";
  out << "winnable: " << (engine::IsWinnable(s.board) ? "yes" : "no") << "\n";
  out << "undo: " << (s.undoAvailable ? "available" : "none") << "\n";
}

}  // namespace cli
