#include "platform/SystemServices.h"

#include "CanberraSound.h"
#include "DesktopEntryLinks.h"
#include "GioShell.h"
#include "LinuxAppFolder.h"
#include "LinuxDesktopApps.h"
#include "LinuxDesktop.h"
#include "LinuxFileDialogs.h"
#include "LinuxFiles.h"
#include "LinuxInstanceLock.h"
#include "LinuxPower.h"
#include "LinuxSystemStatus.h"
#include "LinuxTrayIcon.h"
#include "NetworkManagerDialUp.h"
#include "PosixProcess.h"
#include "X11LockGuard.h"
#include "platform/CoreServices.h"
#include "platform/qt/QtServices.h"

namespace {

class LinuxSystemServices final : public SystemServices {
public:
    Platform& platform() override { return platform_; }

private:
    CoreServices core_ = makeCoreServices();
    LinuxAppFolder appFolder_;
    LinuxDesktop desktop_;
    QtMessageBoxes messages_;
    QtPopupMenus menus_;
    PosixProcess process_;
    QtScreen screen_;
    LinuxTrayIcon tray_;
    LinuxFiles files_;
    LinuxFileDialogs fileDialogs_;
    GioShell shell_;
    DesktopEntryLinks links_;
    LinuxSystemStatus system_;
    LinuxPower power_;
    CanberraSound sound_;
    NetworkManagerDialUp remoteAccess_{*core_.codePage};
    QtBusyPointer busyPointer_;
    LinuxDesktopApps desktopApps_{shell_};
    X11LockGuard lockGuard_;
    Platform platform_{
        Services{appFolder_, desktop_, messages_, process_, files_, fileDialogs_, shell_, links_, *core_.clock, system_,
                 power_, sound_, *core_.codePage, *core_.collation, *core_.files, remoteAccess_, busyPointer_,
                 desktopApps_},
        screen_, menus_, tray_, lockGuard_};
};

}  // namespace

std::unique_ptr<InstanceLock> makeInstanceLock()
{
    return std::make_unique<LinuxInstanceLock>();
}

std::unique_ptr<SystemServices> makeSystemServices()
{
    return std::make_unique<LinuxSystemServices>();
}
