// Catches a teardown watchdog that lets a hung program run on, ends it with another status, or cuts short a
// slow teardown or the clean-ups at exit that follow it.
#include "TeardownWatchdog.h"

#include <QTest>

#include <chrono>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// The status main returns, which the watchdog must pass on; and the one a clean-up at exit ends the
// program with once it has run to its end.
constexpr int MainStatus = 3;
constexpr int CleanedUp = 4;
// A child still running after this long is killed, which fails its row: a loaded machine is slow, not that slow.
constexpr unsigned ChildLimitSeconds = 120;

std::chrono::seconds CleanUpTakes{0};

// The end of a program's main, in a child process: a clean-up at exit registered first (as a leak
// checker's is), the watchdog armed, then a teardown of `teardown`, then the exit.
[[noreturn]] void RunChild(std::chrono::seconds teardown, std::chrono::seconds cleanUp)
{
    alarm(ChildLimitSeconds);
    CleanUpTakes = cleanUp;
    std::atexit([] {
        std::this_thread::sleep_for(CleanUpTakes);
        std::_Exit(CleanedUp);
    });
    ArmTeardownWatchdog(MainStatus);
    std::this_thread::sleep_for(teardown);
    std::exit(MainStatus);
}

} // namespace

class TestTeardown : public QObject {
    Q_OBJECT

private slots:
    void endsOnlyAHungTeardown_data()
    {
        QTest::addColumn<int>("teardownSeconds");
        QTest::addColumn<int>("cleanUpSeconds");
        QTest::addColumn<int>("status");
        const int outlast = int(TeardownLimit.count()) + 3;
        QTest::newRow("a teardown that hangs ends with main's status") << 1000 << 0 << MainStatus;
        QTest::newRow("a teardown of a second runs to its end") << 1 << 0 << CleanedUp;
        QTest::newRow("clean-ups at exit longer than the limit run to their end")
            << 0 << outlast << CleanedUp;
    }
    void endsOnlyAHungTeardown()
    {
        QFETCH(int, teardownSeconds);
        QFETCH(int, cleanUpSeconds);
        QFETCH(int, status);
        const pid_t child = fork();
        if (child == 0)
            RunChild(std::chrono::seconds(teardownSeconds), std::chrono::seconds(cleanUpSeconds));
        int waitStatus = 0;
        QVERIFY(child > 0 && waitpid(child, &waitStatus, 0) == child);
        QVERIFY2(WIFEXITED(waitStatus), "the child was killed: it still ran when its time was up");
        QCOMPARE(WEXITSTATUS(waitStatus), status);
    }
};

QTEST_APPLESS_MAIN(TestTeardown)
#include "tst_teardown.moc"
