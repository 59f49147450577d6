#include "modes/game_status.h"

namespace zb {

uint8_t gameStatus = GameNone;
uint32_t score = 0;

}  // namespace zb
