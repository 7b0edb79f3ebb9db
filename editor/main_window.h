#pragma once
// frmMain: Mapwright's window. It shows what the document's EditorControls hold and forwards
// every event to LevelEditor.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

#include "editor/about_box.h"
#include "editor/level_editor.h"

namespace mapwright {

// Trebuchet MS where it is installed, else the closest humanist sans at hand.
QFont EditorFont(double pointSize, bool bold);

// pctDisplay: the 485 x 485 canvas control; its 2-pixel border leaves the 481 x 481 area.
class CanvasWidget : public QFrame {
  Q_OBJECT
 public:
  CanvasWidget(LevelEditor& editor, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPoint AreaPoint(const QPointF& p) const;
  LevelEditor& editor_;
};

// A text box that selects its whole text when it gets the focus.
class SelectingLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusInEvent(QFocusEvent* event) override;
};

class MainWindow : public QMainWindow, public EditorView {
  Q_OBJECT
 public:
  // appFolder: the program folder, whose data/ holds the pictures.
  MainWindow(const std::string& appFolder, EditorUi& ui);
  ~MainWindow() override;

  // Runs the start-up; false when a picture is missing (the editor must end).
  bool StartUp();
  LevelEditor& editor() { return editor_; }
  void ShowAbout();
  AboutBox* aboutBox() const { return about_; }

  // EditorView
  void RefreshCanvas() override;
  void ControlsChanged() override;
  void FocusMoveButton(bool up) override;
  void VerdictsChanged() override;

  QToolBar* Toolbar = nullptr;
  CanvasWidget* pctDisplay = nullptr;
  SelectingLineEdit* txtCollectionName = nullptr;
  SelectingLineEdit* txtAuthorName = nullptr;
  QLineEdit* txtComment = nullptr;
  QListWidget* lstLevel = nullptr;
  QPushButton* cmdInsertMap = nullptr;
  QPushButton* cmdDeleteMap = nullptr;
  QPushButton* cmdMoveUp = nullptr;
  QPushButton* cmdMoveDown = nullptr;

  QAction* mnuFileNew = nullptr;
  QAction* mnuFileOpen = nullptr;
  QAction* mnuFileClose = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuFileSaveAs = nullptr;
  QAction* mnuFilePublishLevelPack = nullptr;
  QAction* mnuFileDelete = nullptr;
  QAction* mnuFileSep3 = nullptr;
  std::vector<QAction*> mnuFileRecent;
  QAction* mnuFileExit = nullptr;
  QAction* mnuEditUnDo = nullptr;
  QAction* mnuEditAddLevels = nullptr;
  QAction* mnuEditBlind = nullptr;
  QAction* mnuLevelInsert = nullptr;
  QAction* mnuLevelRemove = nullptr;
  QAction* mnuLevelMoveUp = nullptr;
  QAction* mnuLevelMoveDown = nullptr;
  QAction* mnuLevelShowSolution = nullptr;
  QAction* mnuLevelTestPlay = nullptr;
  // Under the canvas: the verdict of the level shown.
  QLabel* lblVerdict = nullptr;
  QAction* mnuHelpAbout = nullptr;
  // The palette buttons by tool tag.
  std::vector<QAction*> toolActions;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildControls();
  void BuildToolbarIcons();
  void SyncRecentMenu();
  void SyncVerdicts();
  bool InThisWindow(QObject* watched) const;

  LevelEditor editor_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentAnchor_ = nullptr;  // the separator below the recent entries
  QPointer<AboutBox> about_;
  bool syncing_ = false;
  bool closing_ = false;
};

}  // namespace mapwright
