#pragma once
// Test helpers: a program folder of small pictures of our own, a scripted EditorUi, and packs
// written by hand.
#include <QTemporaryDir>
#include <deque>
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
  void OpenUrl(const std::string& url) override { urls.push_back(url); }
  void PumpPendingInput() override { ++pumps; }

  std::deque<Answer> answers;
  std::deque<std::string> fileNames;
  std::vector<Message> messages;
  std::vector<std::string> dialogTitles;
  std::vector<std::string> dialogFolders;
  std::vector<std::string> urls;
  int pumps = 0;

  std::string LastText() const { return messages.empty() ? "" : messages.back().text; }
};

// A level from up to 15 row strings; missing rows are all '.'.
LevelGrid Level(const std::vector<std::string>& rows);
// The text of a pack as the editor writes it, with CR LF line ends.
std::string PackText(const std::string& name, const std::string& author,
                     const std::string& comment, const std::vector<LevelGrid>& levels);

}  // namespace mapwright::test
