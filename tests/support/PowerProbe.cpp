// Asks LinuxPower, on this process's default system and session buses, for the
// action named by the first argument (poweroff, reboot or logoff) and prints
// "ok" or "failed: <reason>". Exits with 0 once done has been called exactly
// once, later than request() returned and on the main thread; any other
// outcome is printed as "broken: ..." with exit status 2.
#include "platform/linux/LinuxPower.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

int broken(const char* what)
{
    std::printf("broken: %s\n", what);
    std::fflush(stdout);
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const char* name = argc > 1 ? argv[1] : "";
    PowerAction action;
    if (std::strcmp(name, "poweroff") == 0)
        action = PowerAction::PowerOff;
    else if (std::strcmp(name, "reboot") == 0)
        action = PowerAction::Reboot;
    else if (std::strcmp(name, "logoff") == 0)
        action = PowerAction::LogOff;
    else
        return broken("usage: ombrel_power_probe poweroff|reboot|logoff");

    LinuxPower power;
    int calls = 0;
    bool requesting = true;
    power.request(action, [&](Result result) {
        if (++calls == 1 && requesting)
            return;  // reported once request() has returned
        if (QThread::currentThread() != app.thread())
            app.exit(broken("done was called on another thread"));
        else if (calls > 1)
            app.exit(broken("done was called more than once"));
        else {
            std::printf("%s\n", result.ok() ? "ok" : ("failed: " + result.reason).c_str());
            std::fflush(stdout);
            // Quit on a later turn of the event loop, so that a second call
            // queued right behind the first is still seen.
            QTimer::singleShot(0, &app, [&app] { app.exit(0); });
        }
    });
    requesting = false;
    if (calls > 0)
        return broken("done was called from inside request()");
    // Longer than the D-Bus reply timeout, after which every call has an answer.
    QTimer::singleShot(40000, &app, [&app] { app.exit(broken("done was never called")); });
    return app.exec();
}
