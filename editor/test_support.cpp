#include "editor/test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace mapwright::test {

namespace {

void Save(const QImage& image, const std::string& path, const char* format) {
  QDir().mkpath(QString::fromStdString(path).section('/', 0, -2));
  ASSERT_TRUE(image.save(QString::fromStdString(path), format, 100)) << path;
}

QImage Cell(QColor fill) {
  QImage image(31, 31, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

// Sprite black where transparent; mask black where opaque.
void ShapePair(const std::string& folder, const std::string& sprite, const std::string& mask,
               QColor colour, bool round, bool marked) {
  QImage s = Cell(Qt::black), m = Cell(Qt::white);
  for (QImage* image : {&s, &m}) {
    QPainter p(image);
    p.setPen(Qt::NoPen);
    p.setBrush(image == &s ? colour : QColor(Qt::black));
    if (round)
      p.drawEllipse(QRect(7, 7, 17, 17));
    else
      p.drawRect(QRect(1, 1, 29, 29));
    if (marked && image == &s) {
      p.setBrush(Qt::white);
      p.drawRect(QRect(13, 13, 5, 5));
    }
  }
  Save(s, folder + sprite, "BMP");
  if (!mask.empty()) Save(m, folder + mask, "BMP");
}

}  // namespace

ProgramFolder::ProgramFolder(bool withArt) {
  path_ = dir_.path().toStdString() + "/";
  if (withArt) MakeArt(path_);
}

void ProgramFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
  QFile f(QString::fromStdString(path_ + relative));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ProgramFolder::ReadFile(const std::string& relative) const {
  QFile f(QString::fromStdString(path_ + relative));
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll().toStdString();
}

void MakeArt(const std::string& folder) {
  // Ground: a pattern that differs from tile to tile and inside each tile.
  QImage bg(480, 480, QImage::Format_RGB32);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 480; ++x)
      bg.setPixel(x, y, qRgb(90 + (x / 31) * 8, 120 + (y / 31) * 6, 200 - ((x + y) % 31)));
  Save(bg, folder + "data/backgrounds/bg0.jpg", "JPG");

  struct Colour {
    const char* word;
    QColor colour;
  };
  const Colour colours[] = {{"black", QColor(0x2B, 0x2F, 0x36)}, {"blue", QColor(0x2F, 0x7F, 0xD1)},
                            {"violet", QColor(0x8E, 0x55, 0xC9)}, {"green", QColor(0x3F, 0xA3, 0x4D)},
                            {"red", QColor(0xD6, 0x45, 0x41)},   {"orange", QColor(0xF2, 0x8C, 0x28)}};
  for (const Colour& c : colours) {
    const std::string w = c.word;
    ShapePair(folder, "data/sprites/cubes/" + w + "cube.bmp", "", c.colour, false, false);
    ShapePair(folder, "data/sprites/cubes/" + w + "cubecolorblind.bmp", "", c.colour, false, true);
    ShapePair(folder, "data/sprites/spheres/" + w + "sphere.bmp", "", c.colour, true, false);
    ShapePair(folder, "data/sprites/spheres/" + w + "spherecolorblind.bmp", "", c.colour, true,
              true);
  }
  ShapePair(folder, "data/sprites/cubes/unused.bmp", "data/sprites/cubes/cubemask.bmp", Qt::gray,
            false, false);
  ShapePair(folder, "data/sprites/spheres/unused.bmp", "data/sprites/spheres/spheremask.bmp",
            Qt::gray, true, false);
  ShapePair(folder, "data/sprites/spheres/unused2.bmp",
            "data/sprites/spheres/spheremaskcolorblind.bmp", Qt::gray, true, false);
  Save(Cell(Qt::black), folder + "data/sprites/blocks/blockmask.bmp", "BMP");
  Save(Cell(QColor(150, 160, 170)), folder + "data/sprites/blocks/block0.bmp", "BMP");
  Save(Cell(QColor(110, 100, 90)), folder + "data/sprites/blocks/block0chapped.bmp", "BMP");
  Save(Cell(QColor(60, 20, 20)), folder + "data/sprites/blocks/crushblock.bmp", "BMP");
  QImage trap = Cell(QColor(40, 40, 40));
  for (int i = 0; i < 31; ++i)
    for (int j = 0; j < 31; ++j)
      if ((i + j) % 6 < 2) trap.setPixel(i, j, qRgb(255, 255, 255));
  Save(trap, folder + "data/tools/trapblock.bmp", "BMP");
}

Answer ScriptedUi::Ask(const std::string& text, const std::string& title, MessageIcon icon,
                       Buttons buttons) {
  messages.push_back({text, title, icon, true, buttons});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

void ScriptedUi::Tell(const std::string& text, const std::string& title, MessageIcon icon) {
  messages.push_back({text, title, icon, false, Buttons::Ok});
}

std::string ScriptedUi::OpenFileName(const std::string& title, const std::string&,
                                     const std::string& folder) {
  dialogTitles.push_back(title);
  dialogFolders.push_back(folder);
  if (fileNames.empty()) return "";
  std::string name = fileNames.front();
  fileNames.pop_front();
  return name;
}

std::string ScriptedUi::SaveFileName(const std::string& title, const std::string& filter,
                                     const std::string& folder, const std::string&) {
  return OpenFileName(title, filter, folder);
}

LevelGrid Level(const std::vector<std::string>& rows) {
  LevelGrid grid = BlankLevel();
  for (std::size_t r = 0; r < rows.size() && r < 15; ++r)
    for (std::size_t k = 0; k < rows[r].size() && k < 15; ++k)
      grid[r * 15 + k] = rows[r][k];
  return grid;
}

std::string PackText(const std::string& name, const std::string& author,
                     const std::string& comment, const std::vector<LevelGrid>& levels) {
  std::string out = "[PackHeader]\r\nCollectionName=" + name + "\r\nAuthor=" + author +
                    "\r\nComment=" + comment + "\r\nNumberOfLevels=" +
                    std::to_string(levels.size()) + "\r\n\r\n";
  for (std::size_t i = 0; i < levels.size(); ++i) {
    out += "[Level" + std::to_string(i + 1) + "Data]\r\n";
    for (int r = 0; r < 15; ++r) {
      for (int k = 0; k < 15; ++k) {
        const char c = levels[i][static_cast<std::size_t>(r * 15 + k)];
        if (c != kNoChar) out += c;
      }
      out += "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace mapwright::test
