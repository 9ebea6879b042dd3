#include "binhex/gui/VuFileNotifier.h"

#include "binhex/FileNotificationTestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

using namespace filenotif_test;
using namespace std::chrono_literals;

namespace {

const int kQuietMs = static_cast<int>(kQuietPeriod.count());

// A watcher of one file with the filters the text view uses.
void WatchFileAsTheView(TVuFileNotification& n, const std::string& file)
{
    n.SetOptions({foNotifyFilename, foNotifySize, foNotifyLastWrite});
    n.SetFileName(QString::fromStdString(file));
    n.StartWatching();
}

}  // namespace

TEST(FileNotifier, FolderModeAndFileModeExcludeEachOther)
{
    TVuFileNotification n;
    EXPECT_EQ(n.Options(), (TVuFileNotifyOptions{foNotifyFilename, foNotifyDirname, foNotifyLastWrite}));
    EXPECT_FALSE(n.Subtree());
    EXPECT_FALSE(n.Watching());

    n.SetDirectory("/tmp");
    n.SetFileName("/tmp/a.txt");
    EXPECT_EQ(n.Directory(), "");
    EXPECT_EQ(n.FileName(), "/tmp/a.txt");
    n.SetDirectory("");  // unchanged: FileName stays
    EXPECT_EQ(n.FileName(), "/tmp/a.txt");
    n.SetDirectory("/var");
    EXPECT_EQ(n.FileName(), "");
    n.SetFileName("");  // unchanged: Directory stays
    EXPECT_EQ(n.Directory(), "/var");
    EXPECT_EQ(n.property("Directory").toString(), "/var");
}

// Writes spread over less than the hand-over interval, with the event loop
// running between them so every one reaches the user-interface thread on its
// own, merge into one OnChanged; a later write raises again.
TEST(FileNotifier, TenWritesWithin100msRaiseOneOnChanged)
{
    ScratchDir dir;
    const std::string file = dir / "log.txt";
    WriteFile(file, "start\n");
    TVuFileNotification n;
    QSignalSpy spy(&n, &TVuFileNotification::OnChanged);
    WatchFileAsTheView(n, file);

    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < 10; ++i) {
        WriteFile(file, "line " + std::to_string(i) + "\n", true);
        std::this_thread::sleep_for(2ms);
        QCoreApplication::processEvents();
    }
    const qint64 burstMs = burst.elapsed();
    ASSERT_TRUE(spy.wait(2000));
    QTest::qWait(kQuietMs);
    if (burstMs >= 60)  // leaves the worker 40 ms to hand the last write over
        GTEST_SKIP() << "the machine took " << burstMs << " ms for the burst";
    EXPECT_EQ(spy.count(), 1);

    WriteFile(file, "later\n", true);
    EXPECT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.count(), 2);
}

// What the text view does with a deleted file: the change is raised, and
// stopping from inside OnChanged is allowed.
TEST(FileNotifier, DeletingTheWatchedFileRaisesAChange)
{
    ScratchDir dir;
    const std::string file = dir / "doomed.txt";
    WriteFile(file, "soon gone");
    TVuFileNotification n;
    QSignalSpy spy(&n, &TVuFileNotification::OnChanged);
    QObject::connect(&n, &TVuFileNotification::OnChanged, [&] { n.StopWatching(); });
    WatchFileAsTheView(n, file);
    std::remove(file.c_str());
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_FALSE(n.Watching());
    QTest::qWait(kQuietMs);
    EXPECT_EQ(spy.count(), 1);
}

TEST(FileNotifier, AnotherFileInTheFolderRaisesNothing)
{
    ScratchDir dir;
    WriteFile(dir / "shown.txt", "shown");
    TVuFileNotification n;
    QSignalSpy spy(&n, &TVuFileNotification::OnChanged);
    WatchFileAsTheView(n, dir / "shown.txt");
    WriteFile(dir / "neighbour.txt", "touched");
    WriteFile(dir / "neighbour.txt", "again", true);
    QTest::qWait(kQuietMs);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(n.Active());
}

// A change not yet raised is dropped by StopWatching, and a watch started
// afterwards does not inherit it: whether the timer already runs, or the
// worker's request still waits in the event queue.
TEST(FileNotifier, StopDropsAChangeNotYetRaised)
{
    for (const bool requestHandledBeforeStop : {true, false}) {
        ScratchDir dir;
        const std::string file = dir / "a.txt";
        WriteFile(file, "a");
        TVuFileNotification n;
        QSignalSpy spy(&n, &TVuFileNotification::OnChanged);
        WatchFileAsTheView(n, file);
        WriteFile(file, "b", true);
        if (requestHandledBeforeStop)
            QTest::qWait(30);
        else
            std::this_thread::sleep_for(30ms);
        n.StopWatching();
        n.StartWatching();
        QTest::qWait(kQuietMs);
        EXPECT_EQ(spy.count(), 0) << (requestHandledBeforeStop ? "timer running" : "request queued");
    }
}

// The new watch's own change, made while the stopped watch's request still
// waits in the queue, is raised all the same.
TEST(FileNotifier, RestartedWatchRaisesItsOwnChange)
{
    ScratchDir dir;
    const std::string file = dir / "a.txt";
    WriteFile(file, "a");
    TVuFileNotification n;
    QSignalSpy spy(&n, &TVuFileNotification::OnChanged);
    WatchFileAsTheView(n, file);
    WriteFile(file, "b", true);
    std::this_thread::sleep_for(30ms);
    n.StopWatching();
    n.StartWatching();
    WriteFile(file, "c", true);
    std::this_thread::sleep_for(30ms);
    EXPECT_TRUE(spy.wait(2000));
    QTest::qWait(kQuietMs);
    EXPECT_EQ(spy.count(), 1);
}

// Without a descriptor left for the stop event the thread cannot be made:
// the error box says so, and the watcher stays idle.
TEST(FileNotifier, ThreadThatCannotBeCreatedIsReported)
{
    ScratchDir dir;
    WriteFile(dir / "a.txt", "a");
    TVuFileNotification n;
    n.SetFileName(QString::fromStdString(dir / "a.txt"));
    {
        // Fonts and the platform are loaded before the descriptors run out.
        QMessageBox warmUp(QMessageBox::Critical, "Error", "warm up");
        warmUp.show();
        QCoreApplication::processEvents();
    }

    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
        ::setrlimit(RLIMIT_NOFILE, &saved);
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            text = box->text();
            box->close();
        }
    });
    // A new descriptor takes the lowest free number; capping the limit there
    // makes the next one fail while the event loop can still poll.
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit capped = saved;
    capped.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &capped), 0);
    n.StartWatching();
    ::setrlimit(RLIMIT_NOFILE, &saved);

    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(text, "Exception while creating thread");
    EXPECT_FALSE(n.Watching());
}

// SetWatching toggled many times while a writer keeps the folder busy: each
// stop joins its thread, and the watcher still works at the end.
TEST(FileNotifier, StartAndStopRepeatedlyWhileEventsArrive)
{
    ScratchDir dir;
    const std::string file = dir / "busy.log";
    WriteFile(file, "");
    TVuFileNotification n;
    n.SetOptions({foNotifyFilename, foNotifySize, foNotifyLastWrite});
    n.SetFileName(QString::fromStdString(file));
    QSignalSpy spy(&n, &TVuFileNotification::OnChanged);

    std::atomic<bool> stopWriter{false};
    std::thread writer([&] {
        for (int i = 0; !stopWriter.load(); ++i) {
            WriteFile(file, std::to_string(i) + "\n", true);
            std::this_thread::sleep_for(100us);
        }
    });
    for (int i = 0; i < 100; ++i) {
        n.SetWatching(true);
        n.SetWatching(true);  // already watching: no second thread
        EXPECT_TRUE(n.Watching());
        QCoreApplication::processEvents();
        n.SetWatching(false);
        EXPECT_FALSE(n.Active());
    }
    n.SetWatching(true);
    EXPECT_TRUE(spy.wait(2000));
    stopWriter.store(true);
    writer.join();
    n.StopWatching();
}
