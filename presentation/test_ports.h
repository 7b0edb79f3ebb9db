#pragma once
// Small stand-ins for the engine's ports, shared by the presentation tests.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace presentation::testing {

// Records every message; answers every question with `answer`.
class RecordingPrompt : public engine::Prompt {
 public:
  struct Message {
    std::string text;
    engine::MessageIcon icon;
    bool yesNo;
    bool system;
  };
  bool ShowMessage(const std::string& text, bool yesNo) override {
    messages.push_back({text, engine::MessageIcon::None, yesNo, false});
    if (log) log->push_back("message: " + text);
    return yesNo && answer;
  }
  bool SystemMessage(const std::string& text, engine::MessageIcon icon, bool yesNo) override {
    messages.push_back({text, icon, yesNo, true});
    if (log) log->push_back("message: " + text);
    return yesNo && answer;
  }
  std::vector<Message> messages;
  std::vector<std::string>* log = nullptr;
  bool answer = false;
};

// Time moves only when someone sleeps (or, with readStep, a little at every reading).
class FakeClock : public engine::Clock {
 public:
  std::uint32_t TickCount() override {
    ++reads;
    now += readStep;
    return now;
  }
  void Sleep(std::uint32_t ms) override {
    ++sleeps;
    now += ms;
  }
  std::uint32_t now = 1000;
  std::uint32_t readStep = 0;
  int reads = 0;
  int sleeps = 0;
};

// Stands in for the end of the program: stops the loading that reported the failure.
struct Terminated : std::runtime_error {
  Terminated() : std::runtime_error("terminated") {}
};

}  // namespace presentation::testing
