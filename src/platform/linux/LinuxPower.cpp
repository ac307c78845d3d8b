#include "LinuxPower.h"

#include "platform/qt/QtText.h"

#include <QDebug>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QMetaObject>

#include <unistd.h>

namespace {

const char* const kLogind = "org.freedesktop.login1";
const char* const kGnome = "org.gnome.SessionManager";
const char* const kKdeShutdown = "org.kde.Shutdown";
const char* const kKsmserver = "org.kde.ksmserver";
const char* const kXfce = "org.xfce.SessionManager";

QDBusMessage methodCall(const char* service, const char* path, const char* interface, const char* method)
{
    return QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                                          QLatin1String(method));
}

QDBusMessage logindCall(const char* method)
{
    return methodCall(kLogind, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", method);
}

bool failed(const QDBusMessage& reply)
{
    return reply.type() != QDBusMessage::ReplyMessage;
}

QString errorText(const QDBusMessage& reply)
{
    if (reply.errorMessage().isEmpty())
        return reply.errorName().isEmpty() ? QStringLiteral("没有回应") : reply.errorName();
    if (reply.errorName().isEmpty())
        return reply.errorMessage();
    return QStringLiteral("%1（%2）").arg(reply.errorMessage(), reply.errorName());
}

// The reason a person is told: the service's own message, once. The whole
// chain of what was tried goes to the error output, for whoever runs the
// program from a terminal.
QString plainText(const QDBusMessage& reply)
{
    if (!reply.errorMessage().isEmpty())
        return reply.errorMessage();
    return reply.errorName().isEmpty() ? QStringLiteral("没有回应") : reply.errorName();
}

Result plainFailure(const QString& detail, const QString& reason)
{
    qWarning().noquote() << "ombrel:" << detail;
    return Result::failure(toStd(reason));
}

QString connectionError(const QDBusConnection& bus)
{
    const QString why = bus.lastError().message();
    return why.isEmpty() ? QStringLiteral("未连接") : why;
}

// What a log-off call through a session manager ends with: its answer is the outcome.
std::function<void(const QDBusMessage&)> logOffOutcome(std::function<void(Result)> done, QString what)
{
    return [done = std::move(done), what = std::move(what)](const QDBusMessage& reply) {
        if (failed(reply))
            done(plainFailure(QStringLiteral("无法注销：%1 调用失败：%2").arg(what, errorText(reply)), plainText(reply)));
        else
            done(Result::success());
    };
}

}  // namespace

// The buses are reached on the first request: connecting costs start-up
// time, and most runs never power anything off.
LinuxPower::LinuxPower() = default;

LinuxPower::LinuxPower(QDBusConnection system, QDBusConnection session)
    : system_(std::move(system))
    , session_(std::move(session))
{
}

const QDBusConnection& LinuxPower::systemBus()
{
    if (!system_)
        system_ = QDBusConnection::systemBus();
    return *system_;
}

const QDBusConnection& LinuxPower::sessionBus()
{
    if (!session_)
        session_ = QDBusConnection::sessionBus();
    return *session_;
}

void LinuxPower::call(const QDBusConnection& bus, const QDBusMessage& message, Then then)
{
    if (!bus.isConnected()) {
        // Qt gives a call on a dead connection no watcher signal at all.
        QDBusMessage error = message.createErrorReply(QDBusError::Disconnected,
                                                      QStringLiteral("连接不到总线：") + connectionError(bus));
        QMetaObject::invokeMethod(
            this, [then = std::move(then), error = std::move(error)] { then(error); }, Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, then = std::move(then)] {
        watcher->deleteLater();
        then(watcher->reply());
    });
}

void LinuxPower::request(PowerAction action, Done done)
{
    if (!done)
        done = [](Result) {};
    if (action == PowerAction::LogOff) {
        logOff(std::move(done));
        return;
    }
    if (action != PowerAction::PowerOff && action != PowerAction::Reboot) {
        QMetaObject::invokeMethod(
            this, [done = std::move(done)] { done(Result::failure("未知的电源操作")); },
            Qt::QueuedConnection);
        return;
    }
    const bool off = action == PowerAction::PowerOff;
    const char* method = off ? "PowerOff" : "Reboot";
    QDBusMessage message = logindCall(method);
    message << false;  // interactive: never wait for a password prompt of polkit
    const QString what = off ? QStringLiteral("关机") : QStringLiteral("重新启动");
    call(systemBus(), message, [done = std::move(done), what, method](const QDBusMessage& reply) {
        if (failed(reply))
            done(plainFailure(QStringLiteral("无法%1：systemd-logind（%2）的 %3 调用失败：%4")
                                  .arg(what, QLatin1String(kLogind), QLatin1String(method), errorText(reply)),
                              plainText(reply)));
        else
            done(Result::success());
    });
}

void LinuxPower::logOff(Done done)
{
    if (!sessionBus().isConnected()) {
        terminateSession(QStringLiteral("连接不到会话总线（%1）").arg(connectionError(sessionBus())), std::move(done));
        return;
    }
    // Only names that have an owner now: a session manager is never started on demand.
    const QDBusMessage list = methodCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                         "ListNames");
    call(sessionBus(), list, [this, done = std::move(done)](const QDBusMessage& reply) {
        if (failed(reply))
            terminateSession(QStringLiteral("无法列出会话总线上的名字（%1）").arg(errorText(reply)), done);
        else
            logOffThrough(reply.arguments().value(0).toStringList(), done);
    });
}

void LinuxPower::logOffThrough(const QStringList& owners, Done done)
{
    const auto running = [&owners](const char* name) { return owners.contains(QLatin1String(name)); };
    // A session manager that answers has the last word: ending the session by
    // force after it refused would lose the work it was protecting.
    if (running(kGnome)) {
        QDBusMessage message = methodCall(kGnome, "/org/gnome/SessionManager", kGnome, "Logout");
        message << quint32(1);  // 1: without the confirmation dialog
        call(sessionBus(), message, logOffOutcome(std::move(done), QStringLiteral("GNOME 会话管理器的 Logout")));
        return;
    }
    if (running(kKdeShutdown) || running(kKsmserver)) {
        logOffThroughKde(running(kKdeShutdown), running(kKsmserver), std::move(done));
        return;
    }
    if (running(kXfce)) {
        QDBusMessage message = methodCall(kXfce, "/org/xfce/SessionManager", "org.xfce.Session.Manager", "Logout");
        message << false << true;  // no dialog; save the session for the next login
        call(sessionBus(), message, logOffOutcome(std::move(done), QStringLiteral("Xfce 会话管理器的 Logout")));
        return;
    }
    terminateSession(QStringLiteral("会话总线上没有 GNOME、KDE Plasma 或 Xfce 的会话管理器"), std::move(done));
}

void LinuxPower::logOffThroughKde(bool hasShutdown, bool hasKsmserver, Done done)
{
    QDBusMessage ksmserver = methodCall(kKsmserver, "/KSMServer", "org.kde.KSMServerInterface", "logout");
    ksmserver << 0 << 0 << 0;  // no confirmation, no shutdown afterwards, when the session manager sees fit
    const QString ksmserverWhat = QStringLiteral("KDE 会话管理器（ksmserver）的 logout");
    if (!hasShutdown) {
        call(sessionBus(), ksmserver, logOffOutcome(std::move(done), ksmserverWhat));
        return;
    }
    const QDBusMessage shutdown = methodCall(kKdeShutdown, "/Shutdown", kKdeShutdown, "logout");
    call(sessionBus(), shutdown,
         [this, done = std::move(done), hasKsmserver, ksmserver, ksmserverWhat](const QDBusMessage& reply) {
             if (!failed(reply)) {
                 done(Result::success());
                 return;
             }
             const QString tried = QStringLiteral("KDE Plasma（org.kde.Shutdown）的 logout 调用失败：") + errorText(reply);
             if (!hasKsmserver) {
                 done(plainFailure(QStringLiteral("无法注销：") + tried, plainText(reply)));
                 return;
             }
             call(sessionBus(), ksmserver, logOffOutcome(done, tried + QStringLiteral("；") + ksmserverWhat));
         });
}

void LinuxPower::terminateSession(QString tried, Done done)
{
    if (!systemBus().isConnected()) {
        const Result result = plainFailure(
            QStringLiteral("无法注销：%1；也连接不到系统总线上的 systemd-logind（%2）").arg(tried, connectionError(systemBus())),
            QStringLiteral("连接不到系统的会话服务"));
        QMetaObject::invokeMethod(
            this, [done = std::move(done), result] { done(result); }, Qt::QueuedConnection);
        return;
    }
    const auto fromEnvironment = [this, done](const QString& triedSoFar) {
        const QString id = qEnvironmentVariable("XDG_SESSION_ID");
        if (id.isEmpty())
            done(plainFailure(QStringLiteral("无法注销：%1；环境变量 XDG_SESSION_ID 也没有会话号").arg(triedSoFar),
                              QStringLiteral("找不到当前的会话")));
        else
            terminateSessionById(id, triedSoFar, done);
    };
    QDBusMessage byPid = logindCall("GetSessionByPID");
    byPid << quint32(::getpid());
    call(systemBus(), byPid, [this, tried, done, fromEnvironment](const QDBusMessage& reply) {
        if (failed(reply)) {
            fromEnvironment(tried + QStringLiteral("；systemd-logind 找不到本进程的会话（%1）").arg(errorText(reply)));
            return;
        }
        const QString path = reply.arguments().value(0).value<QDBusObjectPath>().path();
        if (path.isEmpty()) {
            fromEnvironment(tried + QStringLiteral("；systemd-logind 给出的会话路径无效"));
            return;
        }
        QDBusMessage get = QDBusMessage::createMethodCall(QLatin1String(kLogind), path,
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
        call(systemBus(), get, [this, tried, done, fromEnvironment, path](const QDBusMessage& reply) {
            const QString id = failed(reply) ? QString()
                                             : reply.arguments().value(0).value<QDBusVariant>().variant().toString();
            if (id.isEmpty())
                fromEnvironment(tried + QStringLiteral("；读不到会话 %1 的 Id（%2）")
                                            .arg(path, failed(reply) ? errorText(reply) : QStringLiteral("空")));
            else
                terminateSessionById(id, tried, done);
        });
    });
}

void LinuxPower::terminateSessionById(const QString& id, QString tried, Done done)
{
    QDBusMessage message = logindCall("TerminateSession");
    message << id;
    call(systemBus(), message, [done = std::move(done), tried = std::move(tried), id](const QDBusMessage& reply) {
        if (failed(reply))
            done(plainFailure(QStringLiteral("无法注销：%1；systemd-logind 的 TerminateSession（会话 %2）调用失败：%3")
                                  .arg(tried, id, errorText(reply)),
                              plainText(reply)));
        else
            done(Result::success());
    });
}
