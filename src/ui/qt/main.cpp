#include "AppSession.h"
#include "Fonts.h"
#include "platform/SystemServices.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The one-copy test comes first, so a second start ends before it
    // even connects to the display.
    const std::unique_ptr<InstanceLock> lock = makeInstanceLock();
    const InstanceLock::Outcome outcome = lock->acquire();
    if (outcome.anotherRunning)
        return 0;
    if (!outcome.problem.empty())
        std::fprintf(stderr, "ombrel: running without the one-copy check: %s\n", outcome.problem.c_str());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(OMBREL_APP_ID));  // the installed menu entry's name
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    const std::unique_ptr<SystemServices> services = makeSystemServices();
    AppSession session(services->platform());
    session.start(outcome.problem.empty());
    return app.exec();
}
