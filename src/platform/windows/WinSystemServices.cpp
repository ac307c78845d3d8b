#include "platform/windows/WinSystemServices.h"

#include "platform/CoreServices.h"
#include "platform/windows/services/WinAppFolder.h"
#include "platform/windows/services/WinBusyPointer.h"
#include "platform/windows/services/WinDesktop.h"
#include "platform/windows/services/WinDesktopApps.h"
#include "platform/windows/services/WinFileDialogs.h"
#include "platform/windows/services/WinFiles.h"
#include "platform/windows/services/WinInstanceLock.h"
#include "platform/windows/services/WinLockGuard.h"
#include "platform/windows/services/WinMessageBoxes.h"
#include "platform/windows/services/WinPopupMenus.h"
#include "platform/windows/services/WinPower.h"
#include "platform/windows/services/WinProcess.h"
#include "platform/windows/services/WinRemoteAccess.h"
#include "platform/windows/services/WinScreen.h"
#include "platform/windows/services/WinShell.h"
#include "platform/windows/services/WinShellLinks.h"
#include "platform/windows/services/WinSound.h"
#include "platform/windows/services/WinSystemStatus.h"
#include "platform/windows/services/WinTrayIcon.h"

namespace {

// Made on the user-interface thread: the tray icon's and the menus' windows
// belong to the thread that makes them.
class WinSystemServices final : public SystemServices {
public:
    explicit WinSystemServices(std::unique_ptr<PowerCalls> powerCalls) : power_(std::move(powerCalls)) {}
    Platform& platform() override { return platform_; }

private:
    CoreServices core_ = makeCoreServices();
    WinAppFolder appFolder_;
    WinDesktop desktop_;
    WinMessageBoxes messages_;
    WinPopupMenus menus_;
    WinProcess process_;
    WinScreen screen_;
    WinTrayIcon tray_;
    WinFiles files_;
    WinFileDialogs fileDialogs_;
    WinShell shell_;
    WinShellLinks links_;
    WinSystemStatus system_;
    WinPower power_;
    WinSound sound_;
    WinRemoteAccess remoteAccess_;
    WinBusyPointer busyPointer_;
    WinDesktopApps desktopApps_;
    WinLockGuard lockGuard_;
    Platform platform_{
        Services{appFolder_, desktop_, messages_, process_, files_, fileDialogs_, shell_, links_, *core_.clock, system_,
                 power_, sound_, *core_.codePage, *core_.collation, *core_.files, remoteAccess_, busyPointer_,
                 desktopApps_},
        screen_, menus_, tray_, lockGuard_};
};

}  // namespace

std::unique_ptr<InstanceLock> makeInstanceLock()
{
    return std::make_unique<WinInstanceLock>();
}

std::unique_ptr<SystemServices> makeWinSystemServices(std::unique_ptr<PowerCalls> powerCalls)
{
    return std::make_unique<WinSystemServices>(std::move(powerCalls));
}

std::unique_ptr<SystemServices> makeSystemServices()
{
    return makeWinSystemServices(std::make_unique<SystemPowerCalls>());
}
