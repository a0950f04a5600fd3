#pragma once

#include "GameState.h"

// The computer's move for one tick: tracking the ball, dodging the player's bullets,
// keeping inside the arena, then the three firing decisions. It has no memory and no
// randomness; everything it does follows from the state.
void EnemyStep(GameState& s);
