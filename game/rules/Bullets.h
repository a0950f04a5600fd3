#pragma once

#include "GameState.h"

enum class Side { Enemy, Player };

// A click: the first free player slot takes a bullet from the middle of the player's paddle.
// With all three slots live the click does nothing.
void FirePlayerBullet(GameState& s);

// Moves one live bullet and settles it: stopped by an intact row of the opposing wall,
// pushing the ball, hitting the opposing paddle or leaving the arena, the first that holds.
// Returns true when it hit the paddle; the rally is then over and its result set.
bool MoveBullet(GameState& s, Side side, int slot);
