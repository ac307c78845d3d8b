#include "platform/SystemServices.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

// Every member is the Windows service of its kind: its dynamic type's name
// (GCC's mangling of a global class: length, then name) is the one expected.
TEST(WinSystemServices, WiresEveryWindowsServiceIntoThePlatform)
{
    const std::unique_ptr<SystemServices> made = makeSystemServices();
    Platform& p = made->platform();
    const Services& s = p.services;
    const std::pair<const std::type_info&, std::string> members[] = {
        {typeid(s.appFolder), "WinAppFolder"}, {typeid(s.desktop), "WinDesktop"},
        {typeid(s.messages), "WinMessageBoxes"}, {typeid(s.process), "WinProcess"}, {typeid(s.files), "WinFiles"},
        {typeid(s.fileDialogs), "WinFileDialogs"}, {typeid(s.shell), "WinShell"}, {typeid(s.links), "WinShellLinks"},
        {typeid(s.clock), "WinClock"}, {typeid(s.system), "WinSystemStatus"}, {typeid(s.power), "WinPower"},
        {typeid(s.sound), "WinSound"}, {typeid(s.codePage), "WinCodePage"}, {typeid(s.collation), "WinCollation"},
        {typeid(s.fileStore), "WinFileStore"}, {typeid(s.remoteAccess), "WinRemoteAccess"},
        {typeid(s.busyPointer), "WinBusyPointer"}, {typeid(s.desktopApps), "WinDesktopApps"},
        {typeid(p.screen), "WinScreen"}, {typeid(p.menus), "WinPopupMenus"}, {typeid(p.tray), "WinTrayIcon"},
        {typeid(p.lockGuard), "WinLockGuard"}, {typeid(*makeInstanceLock()), "WinInstanceLock"}};
    for (const auto& [type, name] : members)
        EXPECT_EQ(type.name(), std::to_string(name.size()) + name);
    EXPECT_GT(p.screen.twipsPerPixelX(), 0);
    EXPECT_GT(p.screen.twipsPerPixelY(), 0);
}
