#pragma once
// The game state and every operation the puzzle engine offers the shell.
//
// One Game holds the open pack's header, the Board, the solved flags, the trap list, the undo
// ring and the two flags the in-game menu shows. It reaches the outside world only through the
// ports it is given; it owns none of them. Construct it once and keep it for the whole run:
//
//   engine::Game game({painter, sound, prompt, clock, host},
//                     {.animationLevel = 0, .appPath = appPath});
//   if (game.StartPack(appPath + "data/ogpice.cdn")) ...
//
// Modules: level_loader.cpp (OpenPack, LoadLevel, StartPack), cube_movement.cpp (MoveCube),
// game_rules.cpp (CheckWin, UpdateMultiLevelFlag), undo_history.cpp (RecordMove, UndoMove),
// progress.cpp (SaveProgress, LoadProgress, IsLevelLocked), board_input.cpp (MouseMove, Click,
// KeyUp, Paint). The drawing-free rules are in cube_movement.h, undo_history.h, game_rules.h.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/cube_movement.h"
#include "engine/ports.h"
#include "engine/records.h"
#include "engine/undo_history.h"

namespace engine {

struct GamePorts {
  BoardPainter& painter;
  SoundPlayer& sound;
  Prompt& prompt;
  Clock& clock;
  GameHost& host;
};

struct GameSettings {
  // The Animation setting: 1 shows no glide, any other value glides.
  int animationLevel = 0;
  // Program folder, ending in '/'; the scenery backgrounds are looked for below it.
  std::string appPath;
  // LoadLevel tests that data/backgrounds/bg<s>.jpg exists and stops with "Damaged game
  // data. Please reinstall Frostlide" when it does not. Tools that draw nothing (frostlide-cli,
  // a solver) switch the test off and need no program folder.
  bool checkDataFiles = true;
};

struct GameState {
  Board board;
  std::string packPath;
  // The three header texts, 8-bit bytes exactly as in the pack (Windows-1252).
  std::string collectionName;
  std::string author;
  std::string comment;
  int numberOfLevels = 0;  // 1 .. 255 once a pack is open
  int currentLevel = 0;
  int scenery = 0;  // scenery of the level set up last
  // solved[i] for levels 1 .. numberOfLevels; solved[0] is unused.
  std::vector<bool> solved;
  TrapList traps;  // open trapdoors at the start of the current move
  // Slides that moved a cube since the level was set up, less the ones taken back.
  int moves = 0;
  bool undoAvailable = false;
  bool multiLevelPack = false;
};

class Game {
 public:
  explicit Game(const GamePorts& ports, GameSettings settings = {});
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  const GameState& state() const { return state_; }
  const Board& board() const { return state_.board; }
  // For set-ups that do not come from a pack (tests, tools). Row 0 and column 0 must stay zero.
  Board& board() { return state_.board; }
  GameSettings& settings() { return settings_; }
  const GameSettings& settings() const { return settings_; }
  const UndoRing& undoRing() const { return undo_; }
  // Where the files the game writes (the progress files) really go: the shell maps them to
  // the per-user folder when the program folder is read only (platform/user_folder.h).
  // Without a mapping every path is used as it is.
  void SetWritablePathMapping(std::function<std::string(const std::string&)> map) {
    writablePathFor_ = std::move(map);
  }

  // --- Packs and levels (level_loader.cpp) ---
  // Reads the header of the pack at path. False (after telling the player why) when the pack
  // is missing or damaged; the header fields then hold what was read before the failure.
  bool OpenPack(const std::string& path);
  // The engine's half of the shell's StartLevelPack after OpenPack succeeded: solved all false,
  // LoadProgress, then LoadLevel of the first unsolved level (level 1 when all are solved).
  void BeginPack();
  // OpenPack, then BeginPack. The shell sets suppressFade around it and hides the main menu.
  bool StartPack(const std::string& path);
  // Sets level n (1 .. numberOfLevels) up on the Board and asks the painter to draw it.
  void LoadLevel(int n);
  void ClearBoard();
  void ResetArrows();

  // --- Moves (cube_movement.cpp) ---
  // Performs the whole push of the cube on (x, y) in direction d: animation, sounds, undo
  // record, then the win test or, after a crushed cube, the unwinnable question. Does nothing
  // when the push is not allowed (CanPush).
  void MoveCube(int x, int y, Direction d);
  void RecordTrapdoors();

  // --- Rules (game_rules.cpp) ---
  void CheckWin();
  bool IsWinnable() const;
  void UpdateMultiLevelFlag();

  // --- Undo (undo_history.cpp) ---
  void RecordMove(int fromX, int fromY, int toX, int toY, Direction brokenDirection,
                  CubeColor cubeColor, const TrapList& traps);
  void UndoMove();
  void ResetUndoHistory();
  void UpdateUndoIndicator();

  // --- Progress (progress.cpp) ---
  std::string ProgressPath() const;
  // Writes the progress file; false when it could not be written (the game goes on).
  bool SaveProgress();
  // Creates a missing progress file, then reads it into solved. While no files are written,
  // progress saved earlier in this run is read back from memory and no file is created.
  void LoadProgress();
  // Reads the progress file into solved without creating it; false when it could not be read
  // whole (the flags of the levels not read are false).
  bool ReadProgress();
  bool IsLevelLocked(int level) const;
  // Solved flag of a level; false for numbers outside 1 .. numberOfLevels.
  bool IsLevelSolved(int level) const;
  void SetSolved(int level, bool value);
  // solved becomes numberOfLevels flags, all false.
  void ResetSolved();

  // --- Files ---
  // Whether the game writes its files (progress, records). Off, everything is kept in memory
  // only: a trial run (frostlide-cli play without --save-progress) or a test play.
  bool WritesFiles() const { return writesFiles_; }
  void SetWritesFiles(bool on) { writesFiles_ = on; }

  // --- Records (records.cpp) ---
  std::string RecordsPath() const;
  // Reads NAME.best; a missing, damaged or unreadable file gives no records.
  void ReadRecords();
  const LevelRecords& records() const { return records_; }
  // Fewest moves level was solved in, 0 for none.
  int BestMoves(int level) const { return records_.Best(level); }
  // Par as far as it is known: what the shell found for the level this run, else what the
  // record was set against; 0 when unknown.
  int KnownPar(int level) const;
  void SetKnownPar(int level, int par);
  // Solved in par or better.
  bool SolvedInPar(int level) const;
  // Offers a solve to the records and writes NAME.best when it sets one; true when it did.
  bool RecordSolve(int level, int moves);

  // --- Board input (board_input.cpp) ---
  void MouseMove(double x, double y);
  void HideArrows();
  void Click();
  void KeyUp(int keyCode);
  void Paint();
  // Shows arrow d on the cube at (x, y) as the pointer would; false (nothing changes) when
  // (x, y) holds no cube or the cube cannot be pushed that way.
  bool ShowArrow(int x, int y, Direction d);

 private:
  BoardPainter& painter_;
  SoundPlayer& sound_;
  Prompt& prompt_;
  Clock& clock_;
  GameHost& host_;
  GameSettings settings_;
  GameState state_;
  UndoRing undo_;
  std::function<std::string(const std::string&)> writablePathFor_;
  bool writesFiles_ = true;
  LevelRecords records_;
  std::map<int, int> knownPar_;
  // While no files are written: the progress "written" this run, by progress file path, so a
  // pack started again in the same run keeps what was solved.
  std::map<std::string, std::vector<bool>> progressInMemory_;
};

}  // namespace engine
