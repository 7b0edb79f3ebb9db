#include "engine/level_loader.h"

#include <fstream>

#include "engine/cell_codes.h"
#include "engine/game.h"
#include "engine/simulation.h"
#include "platform/paths.h"

namespace engine {

int SceneryFor(std::string_view collectionName, int level) {
  if (collectionName != "Frostlide: Ice") return 0;
  if (level >= 1 && level <= 16) return 1;
  if (level >= 17 && level <= 32) return 2;
  if (level >= 33 && level <= 49) return 3;
  if (level >= 50 && level <= 66) return 4;
  if (level >= 67 && level <= 83) return 5;
  if (level >= 84 && level <= 100) return 6;
  return 0;
}

std::string BackgroundPath(const std::string& appPath, int scenery) {
  return appPath + "data/backgrounds/bg" + std::to_string(scenery) + ".jpg";
}

void ClearCells(Board& board) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      Cell& c = board.at(x, y);
      c = Cell{};
      c.kind = CellKind::Empty;
    }
  }
}

void FillBoard(Board& board, const LevelRows& rows) {
  if (!rows.found) return;
  for (int y = 1; y <= rows.rowCount && y <= kBoardSize; ++y) {
    const std::string& row = rows.rows[static_cast<std::size_t>(y - 1)];
    for (int x = 1; x <= kBoardSize; ++x) {
      const char c = static_cast<std::size_t>(x) <= row.size() ? row[static_cast<std::size_t>(x - 1)] : '\0';
      board.at(x, y) = CellFromChar(c);
    }
  }
}

bool Game::OpenPack(const std::string& path) {
  if (!platform::FileExists(path)) {
    prompt_.SystemMessage("Level file does not exist!", MessageIcon::Error, false);
    return false;
  }
  state_.packPath = path;

  std::ifstream file;
  PackHeader header;
  HeaderStatus status = HeaderStatus::Damaged;
  if (OpenBoundedFile(path, file)) {
    LineReader reader(file);
    status = ReadPackHeader(reader, header);
  }
  // The header fields take each value as soon as its line was read, also when a later line fails.
  if (header.fieldsRead >= 1) state_.collectionName = header.collectionName;
  if (header.fieldsRead >= 2) state_.author = header.author;
  if (header.fieldsRead >= 3) state_.comment = header.comment;
  if (header.fieldsRead >= 4) state_.numberOfLevels = header.numberOfLevels;

  switch (status) {
    case HeaderStatus::Ok: return true;
    case HeaderStatus::NoLevels:
      prompt_.ShowMessage("Damaged level file!", false);
      return false;
    case HeaderStatus::Damaged: break;
  }
  prompt_.ShowMessage("Damaged game pack!", false);
  return false;
}

void Game::BeginPack() {
  ResetSolved();
  LoadProgress();
  ReadRecords();
  knownPar_.clear();
  int first = 1;
  for (int i = 1; i <= state_.numberOfLevels; ++i) {
    if (!IsLevelSolved(i)) {
      first = i;
      break;
    }
  }
  LoadLevel(first);
}

bool Game::StartPack(const std::string& path) {
  if (!OpenPack(path)) return false;
  BeginPack();
  return true;
}

void Game::ClearBoard() {
  ClearCells(state_.board);
  painter_.PresentBoard(false);
}

void Game::ResetArrows() { engine::ResetArrows(state_.board); }

void Game::LoadLevel(int n) {
  ClearBoard();
  ResetUndoHistory();
  state_.currentLevel = n;
  state_.moves = 0;

  {
    std::ifstream file;
    if (OpenBoundedFile(state_.packPath, file)) {
      LineReader reader(file);
      // A section cut short by the end of the file keeps the rows it has; the others stay empty.
      FillBoard(state_.board, FindLevelRows(reader, n));
    }
  }

  const int s = SceneryFor(state_.collectionName, state_.currentLevel);
  state_.scenery = s;
  if (settings_.checkDataFiles && !platform::FileExists(BackgroundPath(settings_.appPath, s))) {
    prompt_.SystemMessage("Damaged game data. Please reinstall Frostlide", MessageIcon::Error, false);
    return;
  }
  painter_.LoadBackground(s);
  painter_.LoadBlockSet(s);
  painter_.DrawLevel(state_.board);
  UpdateUndoIndicator();
  UpdateMultiLevelFlag();
  host_.UseGameCursor();
  host_.LevelSetUp();
}

}  // namespace engine

namespace engine {

Board LoadBoardFromRows(const std::array<std::string, kBoardSize>& rows) {
  Board board;
  ClearCells(board);
  LevelRows level;
  level.found = true;
  level.rowCount = kBoardSize;
  for (std::size_t i = 0; i < rows.size(); ++i) level.rows[i] = rows[i];
  FillBoard(board, level);
  return board;
}

}  // namespace engine
