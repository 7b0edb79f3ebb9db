#include "engine/game.h"

#include <utility>

namespace engine {

Game::Game(const GamePorts& ports, GameSettings settings)
    : painter_(ports.painter),
      sound_(ports.sound),
      prompt_(ports.prompt),
      clock_(ports.clock),
      host_(ports.host),
      settings_(std::move(settings)) {}

}  // namespace engine
