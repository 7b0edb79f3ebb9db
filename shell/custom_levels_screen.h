#pragma once
// frmPlayCustomLevel: the level packs of the levels folder in a list (lstLevels), with Play,
// Import and Close drawn in the panel (picPlayCustom, 268 x 180). Import copies a pack chosen
// in the desktop's open-file dialog into the folder.
#include <string>
#include <vector>

#include "presentation/text.h"
#include "shell/file_dialog.h"
#include "shell/screen.h"
#include "shell/screens.h"

namespace shell {

// The texts the import shows.
// Without a dialog program the player is told so, and where to copy packs instead.
inline constexpr const char kNoFileDialogMessage[] = "No file dialog is available.";
inline constexpr const char kCopyPacksMessage[] = "Copy packs into the levels folder:";
inline constexpr const char kCopyFailedMessage[] = "Could not copy the level pack!";
inline std::string NoFileDialogText(const std::string& levelsFolder) {
  return std::string(kNoFileDialogMessage) + " " + kCopyPacksMessage + " " + levelsFolder;
}

class CustomLevelsScreen final : public Screen {
 public:
  static constexpr int kWidth = 268;
  static constexpr int kHeight = 180;
  // lstLevels
  static constexpr int kListX = 10;
  static constexpr int kListY = 12;
  static constexpr int kListWidth = 249;
  static constexpr int kListHeight = 128;

  // Load: creates a missing levels folder, lists it, selects the first pack, composes the
  // panel. listFont draws the list (nullptr: the list shows no names).
  CustomLevelsScreen(AppServices& services, FileDialog& dialog, const presentation::TextRenderer* listFont);

  void OnMouseMove(int x, int y, int button) override;
  void OnMouseDown(int x, int y, int button) override;
  void OnClick() override;
  void OnKeyDown(int key, bool shift) override;
  void Paint() override { PresentCustomPacks(); }

  // Drawing (screen_drawing_custom.cpp). The list box is a control over the panel: Present
  // draws it onto the picture, not into customSurface.
  void ComposeCustomPacks();
  void PresentCustomPacks();
  void HighlightCustomPacks(int item);

  // Re-reads the levels folder into the list (the file list box's refresh).
  void RefreshFolder();
  // Selects the first pack when there is one.
  void RefreshList();
  void PlaySelectedPack();
  void ImportLevelPack();
  void CloseCustomLevels();

  // Button 1 Play, 2 Import, 3 Close under the pointer, 0 for none.
  static int ButtonAt(int x, int y);
  static bool OverList(int x, int y);

  // The levels folder as found on disk (a folder the editor made as "Levels" is that one),
  // ending in '/'.
  const std::string& levelsFolder() const { return folder_; }
  const std::vector<std::string>& entries() const { return entries_; }
  // Index of the selected entry, -1 for none.
  int selected() const { return selected_; }
  int topIndex() const { return top_; }
  int visibleRows() const { return rows_; }
  int customHover() const { return customHover_; }

  // Moves the selection (clamped to the list) and scrolls it into view.
  void Select(int index);

 private:
  std::string FindLevelsFolder() const;
  void ScrollIntoView();
  int NextStartingWith(char c) const;
  bool HasScrollBar() const { return static_cast<int>(entries_.size()) > rows_; }
  void DrawList();
  bool ImportFile(const std::string& chosen);

  AppServices& s_;
  FileDialog& dialog_;
  const presentation::TextRenderer* font_;
  std::string folder_;
  std::vector<std::string> entries_;
  int selected_ = -1;
  int top_ = 0;
  int rows_ = 1;
  int itemHeight_ = 16;
  int customHover_ = 0;
};

}  // namespace shell
