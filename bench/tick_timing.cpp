// How evenly the real game screen ticks: for each interval, the game runs on its own timer
// for a few seconds and every tick is timestamped. Prints ticks per second against the target
// and the 50th and 99th percentiles of |gap - period|. Gaps that contain a rally's end (its
// boxes, answered at once here) are left out and counted.
#include "frmGame.h"
#include "frmMenu.h"
#include "ModalBoxes.h"
#include "ScreenModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Figures {
    double TicksPerSecond, Target, P50Ms, P99Ms;
    int Gaps, LeftOut;
};

double Percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * double(v.size() - 1) + 0.5))];
}

Figures Measure(frmGame* game, int interval, int seconds)
{
    TickTimer& timer = game->tmrRefresh();
    timer.SetInterval(interval);
    const double periodMs = std::chrono::duration<double, std::milli>(timer.Period()).count();

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> stamps;
    std::vector<bool> rallyEnded;
    Int16 games = game->State().Games;
    const auto connection = QObject::connect(&timer, &TickTimer::Ticked, [&] {
        stamps.push_back(clock.nsecsElapsed());
        rallyEnded.push_back(game->State().Games != games);
        games = game->State().Games;
    });
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);

    std::vector<double> errors;
    double keptMs = 0;
    int leftOut = 0;
    for (std::size_t i = 1; i < stamps.size(); ++i) {
        const double gap = double(stamps[i] - stamps[i - 1]) / 1e6;
        if (rallyEnded[i - 1]) {
            ++leftOut;
            continue;
        }
        errors.push_back(std::abs(gap - periodMs));
        keptMs += gap;
    }
    return {keptMs > 0 ? 1000.0 * double(errors.size()) / keptMs : 0,
            1000.0 / periodMs,
            Percentile(errors, 0.5),
            Percentile(errors, 0.99),
            int(errors.size()),
            leftOut};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
    Screens::Register(ScreenName::Game, [] { return new frmGame; });
    Screens::Show(ScreenName::Menu);
    ModalBoxes boxes;
    static_cast<frmMenu*>(Screens::Find(ScreenName::Menu))->cmdPlay->click();
    auto* game = static_cast<frmGame*>(Screens::Find(ScreenName::Game));

    std::printf("%-9s %12s %8s %10s %10s %6s %9s\n", "Interval", "ticks/s", "target", "p50 |e|", "p99 |e|",
                "gaps", "left out");
    for (int interval : {1, 16, 50, 200}) {
        const Figures f = Measure(game, interval, interval == 200 ? seconds * 2 : seconds);
        std::printf("%-9d %12.2f %8.2f %7.3f ms %7.3f ms %6d %9d\n", interval, f.TicksPerSecond, f.Target,
                    f.P50Ms, f.P99Ms, f.Gaps, f.LeftOut);
    }
    QCoreApplication::exit(0);
    return 0;
}
