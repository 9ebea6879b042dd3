// Keeps the desktop's screen saver from starting while the program runs:
// the freedesktop.org screen-saver service on the session bus is asked to
// inhibit it when the object is made, and let go when it is destroyed.
// Where the desktop has no such service (or no session bus at all) nothing
// happens and nothing is reported.
#pragma once

#include <QDBusConnection>
#include <QString>
#include <cstdint>

class TScreenSaverInhibitor {
public:
    // Asks "org.freedesktop.ScreenSaver" on `bus` to inhibit the screen
    // saver on behalf of `application` for `reason`. A bus that is not
    // connected, a missing service or a refused call leave it inactive.
    explicit TScreenSaverInhibitor(const QString& application, const QString& reason,
                                   QDBusConnection bus = DesktopSessionBus());
    // Lifts the inhibition when it was granted.
    ~TScreenSaverInhibitor();

    TScreenSaverInhibitor(const TScreenSaverInhibitor&) = delete;
    TScreenSaverInhibitor& operator=(const TScreenSaverInhibitor&) = delete;

    // The desktop session's bus when the session has one (its address in
    // the environment or its socket in the runtime folder); otherwise a
    // connection that is not connected, so no bus is started for us.
    static QDBusConnection DesktopSessionBus();

    // True while the service holds our inhibition.
    bool Active() const { return active_; }
    // The service's cookie for it (meaningful only while Active).
    uint32_t Cookie() const { return cookie_; }

    // The service and interface asked, at the object path desktops use
    // today and, when that has no such object, the older "/ScreenSaver".
    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kInterface = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPaths[] = {"/org/freedesktop/ScreenSaver", "/ScreenSaver"};

private:
    QDBusConnection bus_;
    QString path_;  // where the inhibition was granted
    bool active_ = false;
    uint32_t cookie_ = 0;
};
