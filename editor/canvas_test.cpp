// Canvas geometry, blending, masked drawing, the hover frame and painting by mouse.
#include "editor/canvas.h"

#include <gtest/gtest.h>

#include <QFile>

#include "editor/test_support.h"
#include "editor/toolbar_icons.h"

namespace mapwright {
namespace {

using test::EditorTest;
using test::Mid;

TEST(Canvas, CellFromPixelLeavesGridLinesOut) {
  const std::pair<int, int> cases[] = {{-1, -1}, {0, -1},  {1, 0},    {31, 0},   {32, -1},
                                       {33, 1},  {63, 1},  {64, -1},  {65, 2},   {449, 14},
                                       {479, 14}, {480, -1}, {481, -1}, {10000, -1}};
  for (auto [p, cell] : cases) EXPECT_EQ(Canvas::CellFromPixel(p), cell) << p;
}

TEST(Canvas, BlendPixel) {
  struct Case {
    std::uint32_t dst, src;
    int alpha;
    std::uint32_t out;
  };
  const Case cases[] = {
      {0xFF123456, 0xFFABCDEF, 0, 0xFF123456},
      {0xFF123456, 0xFFABCDEF, 255, 0xFFABCDEF},
      {0xFF000000, 0xFFFFFFFF, 100, 0xFF646464},
      // 200/255 of 1: the lowest channel rounds to 1, the upper ones drop their fraction.
      {0xFF000000, 0xFF010101, 200, 0xFF000001},
      {0xFFFFFFFF, 0xFF000000, 100, 0xFF9B9B9B},
      {0xFF204060, 0xFF808080, 128, 0xFF506070},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Canvas::BlendPixel(c.dst, c.src, c.alpha), c.out) << std::hex << c.dst << " " << c.src;
}

TEST(Canvas, AlphaBlendRectSkipsEmptyWork) {
  QImage dst(4, 4, QImage::Format_RGB32), src(4, 4, QImage::Format_RGB32);
  dst.fill(qRgb(10, 20, 30));
  src.fill(qRgb(200, 200, 200));
  const QImage before = dst;
  Canvas::AlphaBlendRect(dst, 0, 0, 4, 4, src, 0, 0, 0);
  Canvas::AlphaBlendRect(dst, 0, 0, 0, 4, src, 0, 0, 100);
  Canvas::AlphaBlendRect(dst, 0, 0, 4, 0, src, 0, 0, 100);
  EXPECT_EQ(dst, before);
  Canvas::AlphaBlendRect(dst, 2, 2, 10, 10, src, 0, 0, 255);  // clipped, no overrun
  EXPECT_EQ(dst.pixel(3, 3), qRgb(200, 200, 200));
  EXPECT_EQ(dst.pixel(1, 1), qRgb(10, 20, 30));
}

TEST(Canvas, SpriteFileNames) {
  EXPECT_EQ(Canvas::SpriteFileName("a/redcube", false), "a/redcube.bmp");
  EXPECT_EQ(Canvas::SpriteFileName("a/redcube", true), "a/redcubecolorblind.bmp");
}

class CanvasTest : public EditorTest {
 protected:
  QRgb At(int x, int y) const { return ed->canvas().backBuffer().pixel(x, y); }
  QRgb Tile(int col, int row, int dx, int dy) const {
    return ed->canvas().background().pixel(col * 31 + dx, row * 31 + dy);
  }
  // Every grid pixel still has the grid colour.
  bool GridIntact() const {
    for (int line = 0; line <= 15; ++line)
      for (int p = 0; p < 481; ++p)
        if (At(line * 32, p) != Canvas::kGridColour || At(p, line * 32) != Canvas::kGridColour)
          return false;
    return true;
  }
};

TEST_F(CanvasTest, ABlankLevelShowsTheGroundBetweenGridLines) {
  EXPECT_TRUE(GridIntact());
  for (auto [col, row] : {std::pair{0, 0}, {7, 3}, {14, 14}})
    for (auto [dx, dy] : {std::pair{0, 0}, {30, 30}, {12, 20}})
      EXPECT_EQ(At(Canvas::CellOrigin(col) + dx, Canvas::CellOrigin(row) + dy), Tile(col, row, dx, dy));
}

TEST_F(CanvasTest, MaskedSpritesAreAndedThenOred) {
  for (int tool : {4, 10, 0, 1, 2}) {  // cube, sphere and the three blocks
    const char c = kToolCharacters[tool];
    Click(5, 6, tool);
    const QImage& sprite = *ed->canvas().Sprite(c);
    const QImage& mask = *ed->canvas().MaskFor(c);
    for (int dy = 0; dy < 31; dy += 3)
      for (int dx = 0; dx < 31; dx += 3) {
        const QRgb expected = ((Tile(5, 6, dx, dy) & mask.pixel(dx, dy)) | sprite.pixel(dx, dy)) |
                              0xFF000000u;
        ASSERT_EQ(At(Canvas::CellOrigin(5) + dx, Canvas::CellOrigin(6) + dy), expected)
            << c << " " << dx << "," << dy;
      }
  }
  EXPECT_TRUE(GridIntact());
}

TEST_F(CanvasTest, TheTrapdoorIsAFaintMarker) {
  Click(2, 2, 3);
  const QImage& marker = *ed->canvas().Sprite('T');
  for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {15, 15}, {30, 29}})
    EXPECT_EQ(At(Canvas::CellOrigin(2) + dx, Canvas::CellOrigin(2) + dy),
              Canvas::BlendPixel(Tile(2, 2, dx, dy), marker.pixel(dx, dy), 100));
}

TEST_F(CanvasTest, UnknownCharactersShowAsGroundButStay) {
  ed->pack().working()[CellIndex(4, 4)] = 'Q';
  ed->pack().StoreWorkingLevel(1);
  ed->InsertNewLevel();
  ed->SelectEntry(0);
  EXPECT_EQ(At(Canvas::CellOrigin(4) + 9, Canvas::CellOrigin(4) + 9), Tile(4, 4, 9, 9));
  EXPECT_EQ(Cell(1, 4, 4), 'Q');
}

TEST_F(CanvasTest, TheHoverFrameSitsOnTheGridLines) {
  ed->MouseMove(kNoButton, Mid(3), Mid(4));
  EXPECT_EQ(ed->canvas().hoverCell(), (CellPos{3, 4}));
  const int x = Canvas::CellOrigin(3), y = Canvas::CellOrigin(4);
  for (int p = -1; p <= 31; ++p) {
    EXPECT_EQ(At(x + p, y - 1), Canvas::kHoverColour);
    EXPECT_EQ(At(x + p, y + 31), Canvas::kHoverColour);
    EXPECT_EQ(At(x - 1, y + p), Canvas::kHoverColour);
    EXPECT_EQ(At(x + 31, y + p), Canvas::kHoverColour);
  }
  EXPECT_EQ(At(x + 5, y + 5), Tile(3, 4, 5, 5));
  // Moving to the neighbour moves the frame; their shared line is red once more.
  ed->MouseMove(kNoButton, Mid(4), Mid(4));
  EXPECT_EQ(At(x - 1, y + 5), Canvas::kGridColour);
  EXPECT_EQ(At(x + 31, y + 5), Canvas::kHoverColour);
  // Off the cells (a grid line) and off the canvas the frame goes.
  ed->MouseMove(kNoButton, 32, Mid(4));
  EXPECT_TRUE(ed->canvas().hoverCell().none());
  EXPECT_TRUE(GridIntact());
  ed->MouseMove(kNoButton, Mid(1), Mid(1));
  ed->PointerLeft();
  EXPECT_TRUE(GridIntact());
  EXPECT_FALSE(ed->pack().modified) << "moving paints nothing";
}

TEST_F(CanvasTest, AClickOnAGridLineDoesNothing) {
  for (auto [x, y] : {std::pair{32, Mid(2)}, {Mid(2), 64}, {0, 0}, {480, Mid(1)}}) {
    ed->MouseDown(kLeftButton, x, y);
    ed->MouseUp(kLeftButton);
  }
  EXPECT_EQ(ed->pack().levels[1], BlankLevel());
  EXPECT_FALSE(ed->controls().undoEnabled);
  EXPECT_FALSE(ed->pack().modified);
  ed->MouseDown(kLeftButton, 33, 63);
  EXPECT_EQ(Cell(1, 1, 1), 'X');
}

TEST_F(CanvasTest, ADragAlongARowIsOneStroke) {
  ed->ChooseTool(8);
  ed->MouseDown(kLeftButton, Mid(0), Mid(7));
  for (int x = Mid(0); x <= Mid(14); x += 4) ed->MouseMove(kLeftButton, x, Mid(7));
  ed->MouseUp(kLeftButton);
  for (int col = 0; col < 15; ++col) EXPECT_EQ(Cell(1, col, 7), 'R') << col;
  EXPECT_TRUE(ed->pack().modified);
  ed->UndoLast();
  EXPECT_EQ(ed->pack().levels[1], BlankLevel());
  EXPECT_FALSE(ed->controls().undoEnabled) << "one stroke, one step";
}

TEST_F(CanvasTest, RightButtonErasesAndBothButtonsPaintNothing) {
  Click(6, 6, 2);
  ed->MouseDown(kRightButton, Mid(6), Mid(6));
  ed->MouseUp(kRightButton);
  EXPECT_EQ(Cell(1, 6, 6), '.');
  EXPECT_EQ(At(Canvas::CellOrigin(6) + 3, Canvas::CellOrigin(6) + 3), Tile(6, 6, 3, 3));

  // Right click on an empty cell is still a step, and a change.
  ed->pack().modified = false;
  const std::size_t steps = ed->undo().size();
  ed->MouseDown(kRightButton, Mid(9), Mid(9));
  ed->MouseUp(kRightButton);
  EXPECT_EQ(ed->undo().size(), steps + 1);
  EXPECT_TRUE(ed->pack().modified);

  // A left click on a cell that holds the tool already: a step, no change on the canvas.
  Click(1, 1, 0);
  const QImage before = ed->canvas().backBuffer();
  Click(1, 1, 0);
  EXPECT_EQ(ed->undo().size(), steps + 3);
  EXPECT_EQ(ed->canvas().backBuffer(), before);

  const LevelGrid level = ed->pack().levels[1];
  for (int col = 2; col < 15; ++col) ed->MouseMove(kLeftButton | kRightButton, Mid(col), Mid(12));
  EXPECT_EQ(ed->pack().levels[1], level);
  EXPECT_EQ(ed->canvas().hoverCell(), (CellPos{14, 12}));
  // The middle button neither paints nor erases.
  ed->MouseDown(kMiddleButton, Mid(1), Mid(1));
  EXPECT_EQ(Cell(1, 1, 1), 'X');
}

TEST_F(CanvasTest, NothingPaintsWhileBusy) {
  ed->pack().busy = true;
  ed->MouseDown(kLeftButton, Mid(1), Mid(1));
  ed->MouseMove(kLeftButton, Mid(2), Mid(1));
  ed->pack().busy = false;
  EXPECT_EQ(ed->pack().levels[1], BlankLevel());
}

TEST_F(CanvasTest, AMissingPictureStopsTheStart) {
  for (const char* file : {"data/tools/trapblock.bmp", "data/backgrounds/bg0.jpg",
                           "data/sprites/spheres/spheremask.bmp"}) {
    test::ProgramFolder broken;
    QFile::remove(QString::fromStdString(broken / file));
    test::ScriptedUi brokenUi;
    LevelEditor editor(broken.path(), brokenUi);
    EXPECT_FALSE(editor.StartUp());
    ASSERT_EQ(brokenUi.messages.size(), 1u);
    EXPECT_EQ(brokenUi.messages[0].text,
              "Can not load graphic file " + (broken / file) + "! Please reinstall Frostlide.");
    EXPECT_EQ(brokenUi.messages[0].title, "Level Editor");
    EXPECT_EQ(brokenUi.messages[0].icon, MessageIcon::Critical);
  }
}

TEST_F(CanvasTest, ADamagedPictureLeavesItsSpriteEmpty) {
  test::ProgramFolder damaged;
  damaged.WriteFile("data/sprites/cubes/redcube.bmp", "not a picture");
  test::ScriptedUi quiet;
  LevelEditor editor(damaged.path(), quiet);
  ASSERT_TRUE(editor.StartUp());
  editor.ChooseTool(8);
  editor.MouseDown(kLeftButton, Mid(1), Mid(1));
  EXPECT_EQ(editor.pack().working()[CellIndex(1, 1)], 'R');
}

TEST_F(CanvasTest, ColourBlindModeLoadsTheMarkedSprites) {
  folder.WriteFile("editor.ini", "[Editor]\r\nBlindMode=True\r\n");
  Start();
  EXPECT_TRUE(ed->blindMode());
  Click(0, 0, 5);
  // The test art marks its colour-blind sprites with a white square in the middle.
  EXPECT_EQ(At(Canvas::CellOrigin(0) + 15, Canvas::CellOrigin(0) + 15), qRgb(255, 255, 255));
}

TEST(ToolbarIcons, ColourBlindIconsCarryTheirShape) {
  test::ProgramFolder folder;
  test::ScriptedUi ui;
  LevelEditor editor(folder.path(), ui);
  ASSERT_TRUE(editor.StartUp());
  for (char c : std::string("LBWGRHlbwgrh")) {
    const QImage plain = ToolIcon(c, false, editor.canvas(), folder.path());
    const QImage marked = ToolIcon(c, true, editor.canvas(), folder.path());
    EXPECT_EQ(plain.size(), QSize(31, 31));
    EXPECT_NE(plain, marked) << c;
    EXPECT_EQ(marked.pixel(15, 15), qRgb(255, 255, 255)) << c << ": white inside the shape";
    // The plain icon is the sprite as the canvas draws it: no white in its middle.
    EXPECT_NE(plain.pixel(15, 15), qRgb(255, 255, 255)) << c;
  }
  EXPECT_EQ(ToolIcon('X', true, editor.canvas(), folder.path()),
            ToolIcon('X', false, editor.canvas(), folder.path()));
}

}  // namespace
}  // namespace mapwright
