#pragma once

#include "core/services/Power.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QDBusMessage;

// Power off and restart through systemd-logind on the system bus. Log off
// through the desktop's session manager on the session bus (GNOME, KDE Plasma
// or Xfce, whichever owns its bus name); with none of them running, logind
// ends this process's login session instead.
// A request that is still waiting for its answer when this object is
// destroyed is dropped: its done is never called.
class LinuxPower final : public QObject, public Power {
public:
    LinuxPower();  // the system bus and the session bus of this process
    LinuxPower(QDBusConnection system, QDBusConnection session);

    void request(PowerAction action, std::function<void(Result)> done) override;

private:
    using Done = std::function<void(Result)>;
    using Then = std::function<void(const QDBusMessage& reply)>;

    // Sends message on bus and hands the reply, or the error, to then on
    // this object's thread, never before call has returned.
    void call(const QDBusConnection& bus, const QDBusMessage& message, Then then);

    void logOff(Done done);
    void logOffThrough(const QStringList& owners, Done done);
    void logOffThroughKde(bool hasShutdown, bool hasKsmserver, Done done);
    // Has logind end the session of this process; tried says what failed first.
    void terminateSession(QString tried, Done done);
    void terminateSessionById(const QString& id, QString tried, Done done);

    const QDBusConnection& systemBus();
    const QDBusConnection& sessionBus();

    std::optional<QDBusConnection> system_;
    std::optional<QDBusConnection> session_;
};
