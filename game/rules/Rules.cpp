#include "Rules.h"

#include "Ball.h"
#include "Bullets.h"
#include "Controls.h"
#include "Enemy.h"
#include "Scoring.h"

#include <string>

namespace {

// The sprite files, read from the program's folder at each activation.
constexpr std::string_view PaddleFile = "/PADDLE.bmp";
constexpr std::string_view BallFile = "/BALL.bmp";
constexpr std::string_view BulletFile = "/BULLET.bmp";
constexpr std::string_view WallFile = "/WALL.bmp";

constexpr std::string_view ResultTitle = "I missed it...";
constexpr std::string_view TallyTitle = "I'm gonna crush you...";
constexpr std::string_view TallyFooter = "\r\nPress ''q'' ingame if you want to stop playing.";

constexpr Int16 ServeX = 390;
constexpr Int16 ServeY = 290;
constexpr Int16 ServePlayerY = 300;
constexpr Int16 ServeStep = 5;

// The tally after a rally, or nothing on the silent first serve.
std::string Tally(Int16 games, Int16 points)
{
    if (games == 1 && points == 1)
        return std::string("You have played 1 game and have 1 point.").append(TallyFooter);
    if (games == 1 && points == 0)
        return std::string("You have played 1 game and have no points.").append(TallyFooter);
    if (games > 1)
        return "You have played " + std::to_string(games) + " games and have " + std::to_string(points)
            + " points." + std::string(TallyFooter);
    return {};
}

// Three serves out of four go towards the computer, and three out of four upwards.
Int16 RandomStep(double r) { return r * 4 + 1 > 2 ? Wrap16(-ServeStep) : ServeStep; }

// Marks NewRally as running for as long as it runs, whichever way it returns.
class Flag {
public:
    explicit Flag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Flag() { m_flag = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& m_flag;
};

} // namespace

void Rules::Activate()
{
    m_host.SetTimerEnabled(false);
    State.Games = -1;
    State.Points = 0;
    State.PaddleDC = m_host.LoadSpriteDC(PaddleFile);
    State.BallDC = m_host.LoadSpriteDC(BallFile);
    State.BulletDC = m_host.LoadSpriteDC(BulletFile);
    State.WallDC = m_host.LoadSpriteDC(WallFile);
    NewRally();
}

void Rules::NewRally()
{
    const Flag serving(m_inNewRally);
    GameState& s = State;

    m_host.Randomize();
    const bool firstServe = s.Games == -1;
    s.Games = Wrap16(s.Games + 1);
    if (!firstServe)
        m_host.MsgBox(std::string("Result: ").append(s.RallyResult), MsgStyle::Exclamation, ResultTitle);
    if (const std::string tally = Tally(s.Games, s.Points); !tally.empty())
        m_host.MsgBox(tally, MsgStyle::Information, TallyTitle);

    s.BallX = ServeX;
    s.BallY = ServeY;
    s.PlayerY = ServePlayerY;
    s.BallDX = RandomStep(m_host.Rnd());
    s.BallDY = RandomStep(m_host.Rnd());
    // The computer's aiming row starts on the ball's bottom row for a falling ball and on its
    // top row, after the first step, for a rising one, so tracking takes hold at once.
    s.EnemyY = s.BallDY > 0 ? Wrap16(s.BallY + s.BallDY - 13) : Wrap16(s.BallY + s.BallDY - 38);
    s.PlayerShotOn.fill(false);
    s.EnemyShotOn.fill(false);
    s.PlayerWall.fill(true);
    s.EnemyWall.fill(true);
    m_host.SetTimerEnabled(true);
}

// The order of the steps is the game's: the frame is drawn before the rally can end, so the
// tick that ends a rally shows the ball where it ended, and whatever follows a rally end in
// the tick runs on the newly served state.
void Rules::Tick()
{
    if (m_inNewRally)
        return;
    MoveBall(State);
    TurnAtTopAndBottom(State);
    BallAgainstPlayerWall(State);
    BallAgainstEnemyWall(State);
    m_host.DrawFrame(State);
    Score();
    EnemyStep(State);
    MoveBullets();
    m_host.ShowFrame();
}

void Rules::Score()
{
    if (ScoreBallPast(State))
        NewRally();
    if (ScoreBallHit(State))
        NewRally();
}

// The computer's bullets are settled first: if both sides hit a paddle in one tick, the
// serve clears the player's bullets before they are looked at, and the rally is lost.
// Every live bullet is drawn, also where it stopped in this very tick.
void Rules::MoveBullets()
{
    for (const Side side : {Side::Enemy, Side::Player}) {
        for (int slot = 0; slot < BulletSlots; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            const bool live = side == Side::Enemy ? State.EnemyShotOn[i] : State.PlayerShotOn[i];
            if (!live)
                continue;
            if (MoveBullet(State, side, slot))
                NewRally();
            if (side == Side::Enemy)
                m_host.DrawBullet(State.BulletDC, State.EnemyShotX[i], State.EnemyShotY[i]);
            else
                m_host.DrawBullet(State.BulletDC, State.PlayerShotX[i], State.PlayerShotY[i]);
        }
    }
}

void Rules::MouseMove(double y) { State.PlayerY = PlayerYForPointer(y); }

void Rules::Click() { FirePlayerBullet(State); }

void Rules::KeyPress(int keyAscii)
{
    constexpr int Quit = 'q';
    constexpr int Pause = 'p';
    constexpr int Speed = 's';
    if (keyAscii == Quit) {
        m_host.SetTimerEnabled(false);
        m_host.MsgBox("Well, you have finished " + std::to_string(State.Games) + " game(s) and scored "
                          + std::to_string(State.Points) + " points(s).",
                      MsgStyle::Exclamation, "Good Game...loser...");
        m_host.ShowMenu();
        m_host.HideGame();
        m_host.UnloadGame();
    } else if (keyAscii == Pause) {
        m_host.SetTimerEnabled(false);
        m_host.MsgBox("Aww...boohoo...fingers hurt?", MsgStyle::Question, "Lame, do computers pause?");
        m_host.SetTimerEnabled(true);
    } else if (keyAscii == Speed) {
        // The ticks go on while the box is open.
        constexpr int boxLeft = 50;
        constexpr int boxTop = 50;
        const auto answer = m_host.InputBox(
            "Set speed of game (max = 200(for extremely high end computers), min = 1(normal)):",
            "Speed of game", "1", boxLeft, boxTop);
        m_host.SetTimerInterval(IntervalFromAnswer(answer.value_or("")));
    }
}
