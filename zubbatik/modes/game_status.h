// What the menus need to know about the letter chase game: whether one is
// running, over or waiting behind the menu, and the score of the last one.
#pragma once

#include <cstdint>

namespace zb {

enum GameStatus : uint8_t {
  GameNone = 0,       // no game has been started in this run
  GameRunning = 1,
  GameOver = 2,       // the last game has ended
  GameSuspended = 3,  // a game waits behind the main menu
};

// A GameStatus value; GameNone at start.
extern uint8_t gameStatus;
// The score of the game running or just ended; the name entry files it.
extern uint32_t score;

}  // namespace zb
