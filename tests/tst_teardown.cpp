// Catches a teardown watchdog that lets a hung program run on, ends it with another status, or cuts short a
// slow teardown or the clean-ups at exit that follow it.
#include "TeardownWatchdog.h"

#include <QTest>

#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// The status main returns, which the watchdog must pass on; the one a clean-up at exit ends with at its end.
constexpr int MainStatus = 3, CleanedUp = 4;

class TestTeardown : public QObject {
    Q_OBJECT

private slots:
    void endsOnlyAHungTeardown_data()
    {
        QTest::addColumn<int>("teardown"); // seconds
        QTest::addColumn<int>("cleanUp");
        QTest::addColumn<int>("status");
        QTest::newRow("a teardown that hangs ends with main's status") << 1000 << 0 << MainStatus;
        QTest::newRow("a teardown of a second runs to its end") << 1 << 0 << CleanedUp;
        QTest::newRow("clean-ups at exit longer than the limit run to their end")
            << 0 << int(TeardownLimit.count()) + 3 << CleanedUp;
    }
    // The end of a program's main in a child process: a clean-up at exit registered first (as a leak checker's
    // is), the watchdog armed, a teardown, the exit. A child still running after two minutes is killed, which
    // fails the row: a loaded machine is slow, not that slow.
    void endsOnlyAHungTeardown()
    {
        QFETCH(int, teardown);
        QFETCH(int, cleanUp);
        QFETCH(int, status);
        static int cleanUpTakes;
        const pid_t child = fork();
        if (child == 0) {
            alarm(120);
            cleanUpTakes = cleanUp;
            std::atexit([] {
                std::this_thread::sleep_for(std::chrono::seconds(cleanUpTakes)), std::_Exit(CleanedUp);
            });
            ArmTeardownWatchdog(MainStatus);
            std::this_thread::sleep_for(std::chrono::seconds(teardown));
            std::exit(MainStatus);
        }
        int waitStatus = 0;
        QVERIFY(child > 0 && waitpid(child, &waitStatus, 0) == child);
        QVERIFY2(WIFEXITED(waitStatus), "the child was killed: it still ran when its time was up");
        QCOMPARE(WEXITSTATUS(waitStatus), status);
    }
};

QTEST_APPLESS_MAIN(TestTeardown)
#include "tst_teardown.moc"
