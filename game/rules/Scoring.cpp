#include "Scoring.h"

namespace {

// The ball's rows BallY..BallY+25 miss the paddle's rows top..top+75.
bool Misses(Int16 ballY, Int16 paddleTop)
{
    return ballY > Wrap16(paddleTop + PaddleHeight) || Wrap16(ballY + BallSize) < paddleTop;
}

// The ball's top row lies within top..top+75, both ends included.
bool TopRowWithin(Int16 ballY, Int16 paddleTop)
{
    return paddleTop <= ballY && ballY <= Wrap16(paddleTop + PaddleHeight);
}

void Win(GameState& s, Int16 ballX, std::string_view result)
{
    s.Points = Wrap16(s.Points + 1);
    s.BallX = ballX;
    s.RallyResult = result;
}

void Loss(GameState& s, Int16 ballX, std::string_view result)
{
    s.BallX = ballX;
    s.RallyResult = result;
}

} // namespace

bool ScoreBallPast(GameState& s)
{
    if (s.BallX <= 0 && Misses(s.BallY, s.EnemyY)) {
        Win(s, 0, WinBallWentPast);
        return true;
    }
    if (s.BallX >= ArenaWidth && Misses(s.BallY, s.PlayerY)) {
        Loss(s, 725, LossBallWentPast);
        return true;
    }
    return false;
}

bool ScoreBallHit(GameState& s)
{
    if (s.BallX <= PaddleWidth && TopRowWithin(s.BallY, s.EnemyY)) {
        Win(s, 20, WinBallHitPaddle);
        return true;
    }
    if (s.BallX >= PlayerPaddleX && TopRowWithin(s.BallY, s.PlayerY)) {
        Loss(s, 755, LossBallHitPaddle);
        return true;
    }
    return false;
}
