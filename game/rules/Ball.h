#pragma once

#include "GameState.h"

// The ball's part of a tick, in the order the tick runs them.
void MoveBall(GameState& s);
// Turns the ball at the top and bottom edges and nudges the computer's paddle away from the
// edge the ball touched.
void TurnAtTopAndBottom(GameState& s);
// A ball that lands in a wall's band with a standing row in its reach turns back, 10 slower
// but never slower than 5, and destroys every wall row it covers.
void BallAgainstPlayerWall(GameState& s);
void BallAgainstEnemyWall(GameState& s);
