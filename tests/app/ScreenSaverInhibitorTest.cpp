// The screen-saver inhibition against a stand-in of the desktop's service
// on a private session bus: where the service exists the program holds an
// inhibition for as long as it runs and gives it back at the end; where it
// does not, or where there is no bus, nothing happens.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include "app/gui/ScreenSaverInhibitor.h"

// The desktop's service as far as we use it. It lives on a thread of its
// own, so the program's blocking call can be answered.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QStringList Calls()
    {
        QMutexLocker lock(&mutex_);
        return calls_;
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("Inhibit %1: %2").arg(application, reason);
        return 41;
    }
    void UnInhibit(uint cookie)
    {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("UnInhibit %1").arg(cookie);
    }

private:
    QMutex mutex_;
    QStringList calls_;
};

namespace {

class ScreenSaverInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        bus_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        ASSERT_TRUE(bus_.waitForStarted());
        ASSERT_TRUE(bus_.waitForReadyRead(5000));
        address_ = QString::fromLatin1(bus_.readLine()).trimmed();
        ASSERT_FALSE(address_.isEmpty());
        serviceThread_.start();
        fake_.moveToThread(&serviceThread_);
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
        serviceThread_.quit();
        serviceThread_.wait();
        if (bus_.state() != QProcess::NotRunning) {
            bus_.kill();
            bus_.waitForFinished();
        }
    }

    // Offers the service at `path` (none when empty).
    void Offer(const char* path)
    {
        QDBusConnection service = QDBusConnection::connectToBus(address_, QStringLiteral("service"));
        ASSERT_TRUE(service.isConnected());
        if (!*path)
            return;
        ASSERT_TRUE(service.registerObject(QString::fromLatin1(path), &fake_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    }

    QDBusConnection Program() { return QDBusConnection::connectToBus(address_, QStringLiteral("program")); }

    QProcess bus_;
    QString address_;
    QThread serviceThread_;
    FakeScreenSaver fake_;
};

class ScreenSaverAtPath : public ScreenSaverInhibitorTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScreenSaverAtPath, HeldWhileTheProgramRuns)
{
    Offer(GetParam());
    {
        TScreenSaverInhibitor inhibitor(QStringLiteral("Peekwell"), QStringLiteral("Viewing files"), Program());
        EXPECT_TRUE(inhibitor.Active());
        EXPECT_EQ(inhibitor.Cookie(), 41u);
        EXPECT_EQ(fake_.Calls(), QStringList{QStringLiteral("Inhibit Peekwell: Viewing files")});
    }
    // The release is sent without waiting; the service sees it soon.
    QTRY_COMPARE(fake_.Calls().size(), 2);
    EXPECT_EQ(fake_.Calls().last(), QStringLiteral("UnInhibit 41"));
}

// Desktops offer the service at the newer path, some only at the older one.
INSTANTIATE_TEST_SUITE_P(Paths, ScreenSaverAtPath,
                         ::testing::Values("/org/freedesktop/ScreenSaver", "/ScreenSaver"));

TEST_F(ScreenSaverInhibitorTest, NoServiceOrNoBusDoesNothing)
{
    Offer("");
    TScreenSaverInhibitor withoutService(QStringLiteral("Peekwell"), QStringLiteral("Viewing files"), Program());
    EXPECT_FALSE(withoutService.Active());

    TScreenSaverInhibitor withoutBus(QStringLiteral("Peekwell"), QStringLiteral("Viewing files"),
                                     QDBusConnection(QStringLiteral("never connected")));
    EXPECT_FALSE(withoutBus.Active());
    EXPECT_TRUE(fake_.Calls().isEmpty());
}

}  // namespace

#include "ScreenSaverInhibitorTest.moc"
