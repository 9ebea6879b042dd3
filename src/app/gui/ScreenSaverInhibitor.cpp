#include "app/gui/ScreenSaverInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>

namespace {

// A desktop without the service must not hold up the start: the call is
// answered at once when nobody owns the name, and the wait is short when
// someone does but is slow.
constexpr int kCallTimeoutMs = 2000;

}  // namespace

QDBusConnection TScreenSaverInhibitor::DesktopSessionBus()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo(runtime + QStringLiteral("/bus")).exists()))
        return QDBusConnection(QStringLiteral("no session bus"));
    return QDBusConnection::sessionBus();
}

TScreenSaverInhibitor::TScreenSaverInhibitor(const QString& application, const QString& reason,
                                             QDBusConnection bus)
    : bus_(std::move(bus))
{
    if (!bus_.isConnected())
        return;
    if (QDBusConnectionInterface* names = bus_.interface()) {
        const QDBusReply<bool> owned = names->isServiceRegistered(QString::fromLatin1(kService));
        if (!owned.isValid() || !owned.value())
            return;
    }
    for (const char* path : kPaths) {
        QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(path),
                                                           QString::fromLatin1(kInterface), QStringLiteral("Inhibit"));
        call << application << reason;
        const QDBusReply<uint> reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.isValid()) {
            cookie_ = reply.value();
            path_ = QString::fromLatin1(path);
            active_ = true;
            return;
        }
        // Only a missing object or method is worth another path; a refusal
        // or a timeout would be the same there.
        const QDBusError::ErrorType why = reply.error().type();
        if (why != QDBusError::UnknownObject && why != QDBusError::UnknownMethod &&
            why != QDBusError::UnknownInterface)
            return;
    }
}

TScreenSaverInhibitor::~TScreenSaverInhibitor()
{
    if (!active_ || !bus_.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), path_, QString::fromLatin1(kInterface),
                                                       QStringLiteral("UnInhibit"));
    call << cookie_;
    // Nothing waits for the answer: the program is closing, and the service
    // drops our inhibition by itself when our connection goes.
    bus_.send(call);
}
