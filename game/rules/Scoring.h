#pragma once

#include "GameState.h"

// The scoring tests, made after the frame is drawn. Each returns true when it ended the
// rally; it has then set RallyResult (and, for a win, Points) and the caller serves anew.
// The second pair is made on the ball as the first pair, and the serve in between, left it.

// The ball got past a paddle: its rows do not even touch the paddle's.
bool ScoreBallPast(GameState& s);
// The ball hit a paddle: its top row lies within the paddle's rows.
bool ScoreBallHit(GameState& s);
