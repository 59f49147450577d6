#include "modes/game.h"
