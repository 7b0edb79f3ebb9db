// The real window on the offscreen platform: its controls, painting by mouse, keys, closing
// and the about box.
#include "editor/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include "editor/test_support.h"

namespace mapwright {
namespace {

using test::Mid;

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>(folder.path(), ui);
    ASSERT_TRUE(window->StartUp());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  LevelEditor& ed() { return window->editor(); }
  // Widget coordinates of a drawing-area pixel.
  QPoint At(int x, int y) const { return QPoint(x + Canvas::kBorder, y + Canvas::kBorder); }
  void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(p), window->pctDisplay->mapToGlobal(QPointF(p)), button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(window->pctDisplay, &event);
  }
  void Press(QPoint p, Qt::MouseButton b) { Send(QEvent::MouseButtonPress, p, b, b); }
  void Release(QPoint p, Qt::MouseButton b) { Send(QEvent::MouseButtonRelease, p, b, Qt::NoButton); }
  void Move(QPoint p, Qt::MouseButtons held) { Send(QEvent::MouseMove, p, Qt::NoButton, held); }
  // Types text as key presses; QTest's own helper knows only ASCII.
  static void Type(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(widget, &press);
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(widget, &release);
    }
  }
  char Cell(int col, int row) { return ed().pack().levels[1][static_cast<std::size_t>(CellIndex(col, row))]; }

  test::ProgramFolder folder;
  test::ScriptedUi ui;
  std::unique_ptr<MainWindow> window;
};

TEST_F(WindowTest, ControlsSitWhereTheyBelong) {
  EXPECT_EQ(window->windowTitle(), "Frostlide Level Editor");
  EXPECT_EQ(window->pctDisplay->geometry(), QRect(6, 46, 485, 485));
  EXPECT_EQ(window->pctDisplay->contentsRect(), QRect(2, 2, 481, 481));
  EXPECT_EQ(window->txtCollectionName->geometry(), QRect(500, 64, 153, 24));
  EXPECT_EQ(window->lstLevel->geometry(), QRect(500, 198, 153, 212));
  EXPECT_EQ(window->cmdMoveDown->geometry(), QRect(500, 506, 153, 25));
  EXPECT_EQ(window->Toolbar->geometry().height(), 39);
  EXPECT_EQ(window->txtCollectionName->text(), "My new level pack");
  EXPECT_EQ(window->lstLevel->count(), 1);
  // The described label, with the level's verdict beside it.
  EXPECT_EQ(window->lstLevel->item(0)->text().toStdString(), "Level 1" + ed().controls().levelVerdicts[0]);
  EXPECT_EQ(window->cmdInsertMap->toolTip(), "Insert new map into your level pack");
  EXPECT_FALSE(window->mnuEditUnDo->isEnabled());
  EXPECT_FALSE(window->mnuFileDelete->isEnabled());
  EXPECT_FALSE(window->mnuFileSep3->isVisible());
  EXPECT_TRUE(window->toolActions[0]->isChecked());
  EXPECT_EQ(window->mnuLevelMoveDown->shortcut(), QKeySequence("Ctrl+M"));
  EXPECT_EQ(window->mnuEditAddLevels->shortcut(), QKeySequence("Ctrl+A"));
  // 16 tools between four separators, in palette order.
  int tools = 0, separators = 0;
  for (QAction* a : window->Toolbar->actions()) (a->isSeparator() ? separators : tools)++;
  EXPECT_EQ(tools, 16);
  EXPECT_EQ(separators, 4);
  EXPECT_FALSE(window->toolActions[5]->icon().isNull());
}

TEST_F(WindowTest, PaintingByMouse) {
  // A click on a grid line paints nothing.
  Press(At(32, Mid(3)), Qt::LeftButton);
  Release(At(32, Mid(3)), Qt::LeftButton);
  EXPECT_EQ(ed().pack().levels[1], BlankLevel());
  EXPECT_FALSE(window->mnuEditUnDo->isEnabled());

  // A drag along a row paints all 15 cells, as one undo step.
  window->toolActions[8]->trigger();
  Press(At(Mid(0), Mid(5)), Qt::LeftButton);
  for (int x = Mid(0); x <= Mid(14); x += 5) Move(At(x, Mid(5)), Qt::LeftButton);
  Release(At(Mid(14), Mid(5)), Qt::LeftButton);
  for (int col = 0; col < 15; ++col) EXPECT_EQ(Cell(col, 5), 'R') << col;
  EXPECT_TRUE(window->mnuEditUnDo->isEnabled());
  window->mnuEditUnDo->trigger();
  EXPECT_EQ(ed().pack().levels[1], BlankLevel());
  EXPECT_FALSE(window->mnuEditUnDo->isEnabled());

  // Both buttons held: the frame moves, nothing is painted.
  for (int col = 0; col < 15; ++col) Move(At(Mid(col), Mid(9)), Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(ed().pack().levels[1], BlankLevel());
  EXPECT_EQ(ed().canvas().hoverCell(), (CellPos{14, 9}));

  // The right button erases.
  Press(At(Mid(2), Mid(2)), Qt::LeftButton);
  Release(At(Mid(2), Mid(2)), Qt::LeftButton);
  Press(At(Mid(2), Mid(2)), Qt::RightButton);
  Release(At(Mid(2), Mid(2)), Qt::RightButton);
  EXPECT_EQ(Cell(2, 2), '.');

  // Leaving the canvas removes the frame.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(window->pctDisplay, &leave);
  EXPECT_TRUE(ed().canvas().hoverCell().none());
}

TEST_F(WindowTest, TheScreenShowsTheBackBuffer) {
  window->toolActions[0]->trigger();
  Press(At(Mid(4), Mid(4)), Qt::LeftButton);
  Release(At(Mid(4), Mid(4)), Qt::LeftButton);
  const QImage shot = window->pctDisplay->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage& bb = ed().canvas().backBuffer();
  for (auto [x, y] : {std::pair{Mid(4), Mid(4)}, {0, 0}, {Mid(7), Mid(1)}, {480, 480}})
    EXPECT_EQ(shot.pixel(At(x, y)), bb.pixel(x, y)) << x << "," << y;
}

TEST_F(WindowTest, TheListAndButtonsRunTheLevelCommands) {
  QTest::mouseClick(window->cmdInsertMap, Qt::LeftButton);
  QTest::mouseClick(window->cmdInsertMap, Qt::LeftButton);
  EXPECT_EQ(window->lstLevel->count(), 3);
  EXPECT_EQ(window->lstLevel->currentRow(), 2);
  window->lstLevel->setCurrentRow(0);
  EXPECT_EQ(ed().controls().selected, 0);
  EXPECT_EQ(ed().pack().shownLevel, 1);
  EXPECT_FALSE(window->cmdMoveUp->isEnabled());
  QTest::mouseClick(window->cmdMoveDown, Qt::LeftButton);
  EXPECT_EQ(window->lstLevel->currentRow(), 1);
  EXPECT_TRUE(window->cmdMoveDown->hasFocus());
  EXPECT_TRUE(window->cmdMoveUp->isEnabled());
}

TEST_F(WindowTest, TypedHeaderTextIsSaved) {
  Type(window->txtAuthorName, QString::fromUtf8("Ren\u00E9e"));
  window->txtComment->setFocus();
  Type(window->txtComment, QString::fromUtf8("5 \u20AC"));
  EXPECT_EQ(ed().controls().authorBox, "Ren\u00E9e");
  ui.fileNames = {folder / "typed"};
  window->mnuFileSaveAs->trigger();
  const std::string file = folder.ReadFile("typed.cdn");
  EXPECT_NE(file.find("Author=Ren\xE9" "e\r\n"), std::string::npos);
  EXPECT_NE(file.find("Comment=5 \x80\r\n"), std::string::npos);
  EXPECT_EQ(window->windowTitle().toStdString(), "Frostlide Level Editor - " + (folder / "typed.cdn"));
  EXPECT_TRUE(window->mnuFileDelete->isEnabled());
  EXPECT_TRUE(window->mnuFileSep3->isVisible());
  ASSERT_FALSE(window->mnuFileRecent.empty());
  EXPECT_TRUE(window->mnuFileRecent[0]->isVisible());
}

TEST_F(WindowTest, TheNameAndAuthorBoxesSelectTheirTextOnFocus) {
  window->activateWindow();
  window->lstLevel->setFocus();
  window->txtCollectionName->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(window->txtCollectionName->selectedText(), "My new level pack");
}

TEST_F(WindowTest, TheBoxesTakeOnlyWhatAPackCanHold) {
  window->txtCollectionName->clear();
  Type(window->txtCollectionName, QString::fromUtf8("Ice \u4E2D\u2603 pack"));
  EXPECT_EQ(window->txtCollectionName->text(), "Ice  pack");

  // A header value is one line of the file: pasted line breaks would split the header and
  // leave a pack that no longer opens.
  for (QLineEdit* box : {static_cast<QLineEdit*>(window->txtCollectionName),
                         static_cast<QLineEdit*>(window->txtAuthorName), window->txtComment}) {
    for (const char* pasted : {"two\r\nlines", "two\nlines", "two\rlines"}) {
      SCOPED_TRACE(box->objectName().toStdString() + " " + pasted);
      box->setText("kept");
      QApplication::clipboard()->setText(pasted);
      box->selectAll();
      box->paste();
      EXPECT_EQ(box->text(), "kept");
    }
  }
  EXPECT_EQ(ed().controls().nameBox, "Ice  pack");
  EXPECT_EQ(ed().controls().authorBox, "");
  EXPECT_EQ(ed().controls().commentBox, "");
}

TEST_F(WindowTest, EscapeInTheNameBoxRunsExit) {
  window->toolActions[0]->trigger();
  Press(At(Mid(1), Mid(1)), Qt::LeftButton);
  Release(At(Mid(1), Mid(1)), Qt::LeftButton);
  window->txtCollectionName->setFocus();
  ui.answers = {Answer::Cancel};
  QTest::keyClick(window->txtCollectionName, Qt::Key_Escape);
  EXPECT_EQ(ui.LastText(), "Do you want to save the level pack before exiting?");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Cell(1, 1), 'X');

  // Esc is Esc wherever the focus is and whatever modifier is held with it.
  const std::pair<QWidget*, Qt::KeyboardModifiers> elsewhere[] = {
      {window->lstLevel, Qt::NoModifier},
      {window->pctDisplay, Qt::NoModifier},
      {window->txtComment, Qt::ShiftModifier},
      {window->cmdMoveDown, Qt::ControlModifier | Qt::AltModifier}};
  for (auto [widget, modifiers] : elsewhere) {
    SCOPED_TRACE(widget->objectName().toStdString());
    ui.messages.clear();
    ui.answers = {Answer::Cancel};
    QTest::keyClick(widget, Qt::Key_Escape, modifiers);
    EXPECT_EQ(ui.LastText(), "Do you want to save the level pack before exiting?");
    EXPECT_TRUE(window->isVisible());
  }

  ui.answers = {Answer::Cancel};
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());

  ui.answers = {Answer::No};
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
}

// The window system's close request is not input: it arrives while a save or a load lets the
// window through, and must not take the pack down under the running loop.
TEST_F(WindowTest, ClosingDuringASaveOrLoadWaitsForIt) {
  for (int i = 0; i < 3; ++i) window->cmdInsertMap->click();
  Press(At(Mid(1), Mid(1)), Qt::LeftButton);
  Release(At(Mid(1), Mid(1)), Qt::LeftButton);
  int closeAt = 0;
  bool tried = false, closed = false;
  ui.onPump = [&] {
    if (ui.pumps != closeAt) return;
    tried = true;
    closed = window->close();
  };
  ui.answers = {Answer::No, Answer::No};  // should a question come, let the pack go
  // The save lets the window through after every row; the open after every level and, as
  // the recent list is written, after every slot.
  closeAt = 20;
  ui.fileNames = {folder / "closing"};
  window->mnuFileSaveAs->trigger();
  EXPECT_TRUE(tried);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(window->isVisible());
  EXPECT_NE(folder.ReadFile("closing.cdn").find("[Level4Data]"), std::string::npos);
  EXPECT_EQ(ed().pack().numberOfLevels, 4);
  for (int at : {2, 9}) {
    SCOPED_TRACE(at);
    ui.pumps = 0;
    closeAt = at;
    tried = closed = false;
    ui.fileNames = {folder / "closing.cdn"};
    window->mnuFileOpen->trigger();
    EXPECT_TRUE(tried);
    EXPECT_FALSE(closed);
    EXPECT_EQ(ed().pack().numberOfLevels, 4);
    EXPECT_EQ(window->lstLevel->count(), 4);
  }
  ui.onPump = nullptr;
  ui.answers.clear();
  EXPECT_TRUE(window->close()) << "after the command the window closes as usual";
}

TEST_F(WindowTest, MenuShortcutsWinOverTheTextBoxes) {
  window->activateWindow();
  window->txtAuthorName->setFocus();
  QTest::keyClick(window->txtAuthorName, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(window->lstLevel->count(), 2);
}

TEST_F(WindowTest, TheAboutBoxOpensOurLinks) {
  window->mnuHelpAbout->trigger();
  AboutBox* about = window->aboutBox();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->windowTitle(), "Frostlide Level Editor");
  EXPECT_EQ(about->size(), QSize(382, 219));
  QTest::mouseClick(about->lblSupport, Qt::LeftButton);
  QTest::mouseClick(about->lblWeb, Qt::LeftButton);
  EXPECT_EQ(ui.urls, (std::vector<std::string>{"mailto:support@mapwright.example.org",
                                               "https://mapwright.example.org/"}));
  EXPECT_EQ(about->lblWeb->cursor().shape(), Qt::PointingHandCursor);
  QTest::keyClick(about, Qt::Key_Escape);
  EXPECT_FALSE(about->isVisible());
  EXPECT_TRUE(window->isVisible()) << "Esc in the about box closes only the box";
}

TEST_F(WindowTest, TheColourBlindEntryShowsItsCheckMark) {
  window->mnuEditBlind->trigger();
  EXPECT_TRUE(window->mnuEditBlind->isChecked());
  window->mnuEditBlind->trigger();
  EXPECT_FALSE(window->mnuEditBlind->isChecked());
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(WindowTest, TheVerdictLineAndTheSolutionKeys) {
  EXPECT_EQ(window->mnuLevelShowSolution->shortcut(), QKeySequence(Qt::Key_F6));
  EXPECT_EQ(window->mnuLevelTestPlay->shortcut(), QKeySequence(Qt::Key_F5));
  // Under the canvas, the described controls where they were.
  EXPECT_GE(window->lblVerdict->mapTo(window.get(), QPoint(0, 0)).y(),
            window->centralWidget()->geometry().bottom());
  EXPECT_EQ(window->pctDisplay->geometry(), QRect(6, 46, 485, 485));

  // Red cube, its sphere and a wall behind the sphere: one move.
  for (auto [tool, col] : {std::pair{8, 3}, {14, 12}, {0, 13}}) {
    window->toolActions[static_cast<std::size_t>(tool)]->trigger();
    Press(At(Mid(col), Mid(7)), Qt::LeftButton);
    Release(At(Mid(col), Mid(7)), Qt::LeftButton);
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->lblVerdict->text() == "Solvable in 1 move"; }, 30000))
      << window->lblVerdict->text().toStdString();
  EXPECT_EQ(window->lstLevel->item(0)->text(), "Level 1 - 1 move");

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window->lstLevel, Qt::Key_F6);
  ASSERT_TRUE(ed().showingSolution());
  EXPECT_TRUE(window->lblVerdict->text().startsWith("Showing the solution"));
  // Any key ends it, and does nothing else (F5 would start the game).
  QTest::keyClick(window->lstLevel, Qt::Key_F5);
  EXPECT_TRUE(ui.started.empty());
  EXPECT_FALSE(ed().showingSolution());
  EXPECT_EQ(window->lstLevel->count(), 1);
  EXPECT_EQ(window->lblVerdict->text(), "Solvable in 1 move");
  // So does F6 again, and a click beside the canvas.
  QTest::keyClick(window->lstLevel, Qt::Key_F6);
  ASSERT_TRUE(ed().showingSolution());
  QTest::keyClick(window->lstLevel, Qt::Key_F6);
  EXPECT_FALSE(ed().showingSolution());
  QTest::keyClick(window->lstLevel, Qt::Key_F6);
  ASSERT_TRUE(ed().showingSolution());
  QTest::mouseClick(window->cmdInsertMap, Qt::LeftButton);
  EXPECT_FALSE(ed().showingSolution());
  EXPECT_EQ(window->lstLevel->count(), 1);
}

}  // namespace
}  // namespace mapwright
