#pragma once

#include "GameHost.h"
#include "GameState.h"

// The rules of one game screen: its state and the handlers the screen forwards to it.
// Everything runs on one thread, one handler at a time.
class Rules {
public:
    explicit Rules(GameHost& host) : m_host(host) {}

    // The screen became the program's active screen: stop the ticks, reset the tally, load
    // the sprites and serve the first ball silently.
    void Activate();
    // Ends a rally (the result and tally boxes, except after an activation) and serves the
    // next ball with both walls standing and no bullet in flight; enables the timer.
    void NewRally();
    // One timer event. Does nothing while NewRally's boxes are open: the timer stays
    // enabled then, and a tick run inside their event loop would end the same rally again.
    void Tick();

    void MouseMove(double y);
    void Click();
    void KeyPress(int keyAscii);

    GameState State;

private:
    void Score();
    void MoveBullets();

    GameHost& m_host;
    bool m_inNewRally = false;
};
