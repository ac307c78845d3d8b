#include "Fonts.h"
#include "Form1.h"
#include "platform/CoreServices.h"
#include "platform/Platform.h"
#include "platform/linux/CanberraSound.h"
#include "platform/linux/DesktopEntryLinks.h"
#include "platform/linux/GioShell.h"
#include "platform/linux/LinuxAppFolder.h"
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/LinuxFileDialogs.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxInstanceLock.h"
#include "platform/linux/LinuxPower.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/LinuxSystemStatus.h"
#include "platform/linux/LinuxTrayIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The one-copy test comes first, so a second start ends before it
    // even connects to the display.
    LinuxInstanceLock lock;
    const InstanceLock::Outcome outcome = lock.acquire();
    if (outcome.anotherRunning)
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrel"));
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    LinuxAppFolder appFolder;
    LinuxDesktop desktop;
    QtMessageBoxes messages;
    QtPopupMenus menus;
    PosixProcess process;
    QtScreen screen;
    LinuxTrayIcon tray;
    LinuxFiles files;
    LinuxFileDialogs fileDialogs;
    GioShell shell;
    DesktopEntryLinks links;
    LinuxSystemStatus system;
    LinuxPower power;
    CanberraSound sound;
    const CoreServices core = makeCoreServices();
    Platform platform{appFolder, desktop,  messages, menus,  process,         screen,
                      tray,      files,    fileDialogs, shell, links,           *core.clock,
                      system,    power,    sound,    *core.codePage, *core.collation, *core.files};

    Form1 form1(platform);
    form1.start(lock);
    return app.exec();
}
