#pragma once
// Test helpers: a program folder of small pictures of our own, a scripted EditorUi, and packs
// written by hand.
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/editor_ui.h"
#include "editor/level_grid.h"

namespace mapwright::test {

// A temporary program folder ("…/") holding data/ with every picture the editor loads.
class ProgramFolder {
 public:
  explicit ProgramFolder(bool withArt = true);
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + relative; }
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  std::string ReadFile(const std::string& relative) const;

 private:
  QTemporaryDir dir_;
  std::string path_;
};

// Writes every picture below folder (which ends in '/').
void MakeArt(const std::string& folder);

struct Message {
  std::string text;
  std::string title;
  MessageIcon icon;
  bool question;
  Buttons buttons;
};

// Answers questions and dialogs from queues; every box shown is recorded.
class ScriptedUi : public EditorUi {
 public:
  Answer Ask(const std::string& text, const std::string& title, MessageIcon icon,
             Buttons buttons) override;
  void Tell(const std::string& text, const std::string& title, MessageIcon icon) override;
  std::string OpenFileName(const std::string& title, const std::string& filter,
                           const std::string& folder) override;
  std::string SaveFileName(const std::string& title, const std::string& filter,
                           const std::string& folder, const std::string& fileName) override;
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return browserStarts;
  }
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override {
    started.push_back({program, args});
    return programStarts;
  }
  void PumpPendingInput() override {
    ++pumps;
    if (onPump) onPump();
  }

  std::deque<Answer> answers;
  std::deque<std::string> fileNames;
  std::vector<Message> messages;
  std::vector<std::string> dialogTitles;
  std::vector<std::string> dialogFolders;
  std::vector<std::string> urls;
  bool browserStarts = true;
  struct Started {
    std::string program;
    std::vector<std::string> args;
  };
  std::vector<Started> started;
  bool programStarts = true;
  int pumps = 0;
  // What arrives while a long loop lets the window through (a close request, for example).
  std::function<void()> onPump;

  std::string LastText() const { return messages.empty() ? "" : messages.back().text; }
};

// A level from up to 15 row strings; missing rows are all '.'.
LevelGrid Level(const std::vector<std::string>& rows);
// The text of a pack as the editor writes it, with CR LF line ends.
std::string PackText(const std::string& name, const std::string& author,
                     const std::string& comment, const std::vector<LevelGrid>& levels);

}  // namespace mapwright::test

#include <gtest/gtest.h>
#include <memory>

#include "editor/canvas.h"
#include "editor/level_editor.h"

namespace mapwright::test {

// Pixel at the middle of a cell, in drawing-area coordinates.
inline int Mid(int cell) { return Canvas::CellOrigin(cell) + 15; }

// A started editor over a fresh program folder.
class EditorTest : public testing::Test {
 protected:
  void SetUp() override { Start(); }
  void Start() {
    ed = std::make_unique<LevelEditor>(folder.path(), ui);
    ASSERT_TRUE(ed->StartUp());
  }
  // One stroke: press, release, with the given tool.
  void Click(int col, int row, int tool = 0, MouseButton button = kLeftButton) {
    ed->ChooseTool(tool);
    ed->MouseDown(button, Mid(col), Mid(row));
    ed->MouseUp(button);
  }
  char Cell(int level, int col, int row) const {
    return ed->pack().levels[static_cast<std::size_t>(level)][static_cast<std::size_t>(CellIndex(col, row))];
  }
  // Gives the pack n levels, each marked with a block at column (its number - 1) of row 0.
  void MakeLevels(int n) {
    while (static_cast<int>(ed->controls().levelEntries.size()) < n) ed->InsertNewLevel();
    for (int i = 0; i < n; ++i) {
      ed->SelectEntry(i);
      Click(i % 15, i / 15);
    }
    ed->pack().modified = false;
  }
  // Which marker a pack slot carries (-1 when none).
  int Marker(int slot) const {
    const LevelGrid& g = ed->pack().levels[static_cast<std::size_t>(slot)];
    for (int i = 0; i < kCellCount; ++i)
      if (g[static_cast<std::size_t>(i)] == 'X') return i;
    return -1;
  }
  std::vector<int> Markers() const {
    std::vector<int> m;
    for (int s = 1; s <= ed->pack().numberOfLevels; ++s) m.push_back(Marker(s));
    return m;
  }
  std::vector<std::string> Labels() const { return ed->controls().levelEntries; }
  static std::vector<std::string> LabelsUpTo(int n) {
    std::vector<std::string> v;
    for (int i = 1; i <= n; ++i) v.push_back("Level " + std::to_string(i));
    return v;
  }

  ProgramFolder folder;
  ScriptedUi ui;
  std::unique_ptr<LevelEditor> ed;
};

}  // namespace mapwright::test
