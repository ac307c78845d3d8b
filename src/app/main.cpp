#include "Fonts.h"
#include "Form1.h"
#include "platform/SystemServices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The one-copy test comes first, so a second start ends before it
    // even connects to the display.
    const std::unique_ptr<InstanceLock> lock = makeInstanceLock();
    const InstanceLock::Outcome outcome = lock->acquire();
    if (outcome.anotherRunning)
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrel"));
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    const std::unique_ptr<SystemServices> services = makeSystemServices();
    Form1 form1(services->platform());
    form1.start(*lock);
    return app.exec();
}
