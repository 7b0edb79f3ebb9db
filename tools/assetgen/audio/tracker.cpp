#include "tools/assetgen/audio/tracker.h"

#include <algorithm>
#include <set>
#include <utility>

namespace assetgen::audio {

namespace {
constexpr int kPeriods[kNoteCount] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
};

void Put16BE(std::string& s, int v) {
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
  s.push_back(static_cast<char>(v & 0xFF));
}
}  // namespace

int NotePeriod(int note) { return note >= 0 && note < kNoteCount ? kPeriods[note] : 0; }

std::string WriteModule(const Module& m) {
  std::string s;
  std::string title = m.title.substr(0, 20);
  title.resize(20, '\0');
  s += title;
  for (int i = 0; i < kMaxSamples; ++i) {
    std::string name;
    int words = 0, volume = 0, loopStart = 0, loopWords = 1;
    if (i < static_cast<int>(m.samples.size())) {
      const Sample& smp = m.samples[static_cast<std::size_t>(i)];
      name = smp.name;
      words = static_cast<int>(std::min<std::size_t>(smp.data.size(), 131070) / 2);
      volume = std::clamp(smp.volume, 0, 64);
      if (smp.loopLength >= 4) {
        loopStart = std::clamp(smp.loopStart / 2, 0, words);
        loopWords = std::clamp(smp.loopLength / 2, 1, words - loopStart);
      }
    }
    name = name.substr(0, 22);
    name.resize(22, '\0');
    s += name;
    Put16BE(s, words);
    s.push_back(0);  // finetune
    s.push_back(static_cast<char>(volume));
    Put16BE(s, loopStart);
    Put16BE(s, loopWords);
  }
  const int orderCount = std::clamp(static_cast<int>(m.orders.size()), 1, 128);
  s.push_back(static_cast<char>(orderCount));
  s.push_back(static_cast<char>(127));  // no restart: the song ends after its last order
  int patternCount = 0;
  for (int i = 0; i < 128; ++i) {
    const int p = i < orderCount && i < static_cast<int>(m.orders.size())
                      ? std::clamp(m.orders[static_cast<std::size_t>(i)], 0, 127)
                      : 0;
    s.push_back(static_cast<char>(p));
    patternCount = std::max(patternCount, p + 1);
  }
  s += m.channels == 8 ? "8CHN" : m.channels == 6 ? "6CHN" : "M.K.";
  const int channels = m.channels == 8 || m.channels == 6 ? m.channels : 4;
  for (int p = 0; p < patternCount; ++p) {
    for (int row = 0; row < kRowsPerPattern; ++row) {
      for (int ch = 0; ch < channels; ++ch) {
        Cell c;
        if (p < static_cast<int>(m.patterns.size()) && ch < m.patterns[static_cast<std::size_t>(p)].channels) {
          c = m.patterns[static_cast<std::size_t>(p)].at(row, ch);
        }
        const int sample = std::clamp(c.sample, 0, 31);
        const int period = NotePeriod(c.note);
        s.push_back(static_cast<char>((sample & 0xF0) | ((period >> 8) & 0x0F)));
        s.push_back(static_cast<char>(period & 0xFF));
        s.push_back(static_cast<char>(((sample & 0x0F) << 4) | (c.effect & 0x0F)));
        s.push_back(static_cast<char>(c.param & 0xFF));
      }
    }
  }
  for (const Sample& smp : m.samples) {
    const std::size_t bytes = std::min<std::size_t>(smp.data.size(), 131070) & ~std::size_t{1};
    for (std::size_t i = 0; i < bytes; ++i) s.push_back(static_cast<char>(smp.data[i]));
  }
  return s;
}

PlayLength MeasureModule(const Module& m) {
  PlayLength out;
  int speed = 6, tempo = 125;
  int order = 0, row = 0;
  std::set<std::pair<int, int>> visited;
  const int orderCount = static_cast<int>(m.orders.size());
  while (order < orderCount) {
    const int p = m.orders[static_cast<std::size_t>(order)];
    if (p < 0 || p >= static_cast<int>(m.patterns.size())) return out;
    if (!visited.insert({order, row}).second) return out;  // came back: it loops
    const Pattern& pat = m.patterns[static_cast<std::size_t>(p)];
    int nextOrder = -1, nextRow = 0;
    bool jumped = false;
    for (int ch = 0; ch < pat.channels; ++ch) {
      const Cell& c = pat.at(row, ch);
      if (c.effect == kFxSpeed) {
        if (c.param == 0) {
          out.ends = true;  // F00 stops the song here
          return out;
        }
        if (c.param < 0x20) {
          speed = c.param;
        } else {
          tempo = c.param;
        }
      } else if (c.effect == kFxBreak) {
        if (!jumped) nextOrder = order + 1;
        nextRow = (c.param >> 4) * 10 + (c.param & 0x0F);
        if (nextRow >= kRowsPerPattern) nextRow = 0;
      } else if (c.effect == kFxJump) {
        nextOrder = c.param;
        jumped = true;
      }
    }
    out.seconds += speed * 2.5 / tempo;
    ++out.rows;
    if (nextOrder >= 0) {
      order = nextOrder;
      row = nextRow;
    } else if (++row >= kRowsPerPattern) {
      row = 0;
      ++order;
    }
  }
  out.ends = true;
  return out;
}

}  // namespace assetgen::audio
