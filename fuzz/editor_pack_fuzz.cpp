// Mapwright's strict pack loader on arbitrary bytes, in open mode and in add mode: it ends in
// a pack or in its documented message, the level list always mirrors the pack, and a pack it
// opened without a message saves and reopens to the same levels and header texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_ui.h"
#include "editor/level_editor.h"
#include "fuzz/fuzz_support.h"

namespace {

class QuietUi : public mapwright::EditorUi {
 public:
  mapwright::Answer Ask(const std::string&, const std::string&, mapwright::MessageIcon,
                        mapwright::Buttons) override {
    return mapwright::Answer::Yes;
  }
  void Tell(const std::string& text, const std::string&, mapwright::MessageIcon) override {
    messages.push_back(text);
  }
  std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string SaveFileName(const std::string&, const std::string&, const std::string&,
                           const std::string&) override {
    return {};
  }
  bool OpenUrl(const std::string&) override { return false; }
  bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
  std::vector<std::string> messages;
};

void CheckList(const mapwright::LevelEditor& ed) {
  const mapwright::EditorPack& p = ed.pack();
  const auto& c = ed.controls();
  fuzz::Check(p.numberOfLevels >= 0, "level count not negative");
  fuzz::Check(p.levels.size() == static_cast<std::size_t>(p.numberOfLevels) + 1, "one slot per level plus the working one");
  fuzz::Check(c.levelEntries.size() == static_cast<std::size_t>(p.numberOfLevels), "one list entry per level");
  for (std::size_t i = 0; i < c.levelEntries.size(); ++i)
    fuzz::Check(c.levelEntries[i] == "Level " + std::to_string(i + 1), "list entries are numbered in order");
  fuzz::Check(c.selected >= -1 && c.selected < static_cast<int>(c.levelEntries.size()), "selection inside the list");
}

const char kSeedPack[] =
    "[PackHeader]\r\nCollectionName=Seed\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=2\r\n\r\n"
    "[Level1Data]\r\nXXXXXXXXXXXXXXX\r\nX.R.r.........X\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "XXXXXXXXXXXXXXX\r\n\r\n"
    "[Level2Data]\r\n.G.g\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int mode = in.Byte() % 3;
  const int select = in.Byte();
  const std::string bytes(in.Rest());

  const fuzz::ScratchFolder& dir = fuzz::Scratch();
  dir.Put("in.cdn", bytes);
  QuietUi ui;
  mapwright::LevelEditor ed(dir.path(), ui);
  ed.canvas().CreateBackBuffer();

  if (mode == 0) {
    ed.LoadPack(dir / "in.cdn", false);
    CheckList(ed);
    if (!ui.messages.empty()) {
      fuzz::Check(ui.messages.size() == 1 && ui.messages[0] == "Unable to load level pack.",
                  "the documented message", ui.messages[0]);
      fuzz::Check(ed.pack().numberOfLevels == 0, "a failed open leaves an empty pack");
      return 0;
    }
    if (ed.pack().numberOfLevels == 0 || ed.pack().numberOfLevels > mapwright::kMaxSavedLevels) return 0;
    // Save and reopen.
    const std::vector<mapwright::LevelGrid> levels = ed.pack().levels;
    const auto controls = ed.controls();
    fuzz::Check(ed.SavePack(dir / "out.cdn") == mapwright::SaveResult::Saved, "the pack saves");
    ed.LoadPack(dir / "out.cdn", false);
    fuzz::Check(ui.messages.empty(), "the saved pack opens without a message");
    const auto& again = ed.pack().levels;
    fuzz::Check(again.size() == levels.size(), "the same number of levels after a save");
    for (std::size_t i = 1; i < levels.size(); ++i)
      fuzz::Check(again[i] == levels[i], "every level survives a save", std::to_string(i));
    fuzz::Check(ed.controls().nameBox == controls.nameBox && ed.controls().authorBox == controls.authorBox &&
                    ed.controls().commentBox == controls.commentBox,
                "the header texts survive a save");
    return 0;
  }

  // Add mode, to the pack itself or to a small pack, after the selected level.
  if (mode == 1) {
    ed.LoadPack(dir / "in.cdn", false);
  } else {
    dir.Put("seed.cdn", kSeedPack);
    ed.LoadPack(dir / "seed.cdn", false);
  }
  const int before = ed.pack().numberOfLevels;
  if (before > 0) ed.SelectEntry(select % before);
  ui.messages.clear();
  ed.LoadPack(dir / "in.cdn", true);
  CheckList(ed);
  fuzz::Check(ed.pack().numberOfLevels >= before, "adding never loses a level");
  if (!ui.messages.empty())
    fuzz::Check(ui.messages.back() == "Unable to load level pack.", "the documented message", ui.messages.back());
  return 0;
}
