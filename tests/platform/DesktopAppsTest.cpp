#include "FakeSession.h"

#include "platform/linux/GioShell.h"
#include "platform/linux/LinuxDesktopApps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using Tool = DesktopApps::Tool;

// Every desktop entry the chooser knows is installed in the fake session's
// own application folder as a stand-in that records its name, or as a
// hidden entry, which counts as deleted. Entries in the user's folder come
// before the system's, so no real program of the machine is ever started.
class DesktopAppsTest : public ::testing::Test {
protected:
    ~DesktopAppsTest() override { qunsetenv("XDG_CURRENT_DESKTOP"); }

    static void installAllBut(const QStringList& missing)
    {
        for (const Tool tool : {Tool::Settings, Tool::SystemMonitor}) {
            for (const QString& entry : LinuxDesktopApps::candidates(tool, QString())) {
                QByteArray text = "[Desktop Entry]\nType=Application\nName=Stand-in\nExec="
                                  + QFile::encodeName(fake::recorder()) + ' ' + entry.toUtf8() + '\n';
                if (missing.contains(entry))
                    text += "Hidden=true\n";
                fake::writeFile(fake::root() + QStringLiteral("/data/applications/") + entry, text);
            }
        }
    }

    GioShell shell;
    LinuxDesktopApps apps{shell};
};

TEST_F(DesktopAppsTest, TheRunningDesktopChoosesItsToolThenWhatIsInstalled)
{
    const QStringList kde = {"systemsettings.desktop", "org.kde.systemsettings.desktop"};
    struct Row {
        const char* desktop;
        Tool tool;
        QStringList missing;
        QString started;
    };
    const Row rows[] = {
        {"GNOME", Tool::Settings, {}, "org.gnome.Settings.desktop"},
        {"GNOME", Tool::Settings, {"org.gnome.Settings.desktop"}, "gnome-control-center.desktop"},
        {"KDE", Tool::Settings, {}, "systemsettings.desktop"},
        {"XFCE", Tool::Settings, {}, "xfce-settings-manager.desktop"},
        {"X-Cinnamon", Tool::Settings, {}, "cinnamon-settings.desktop"},
        {"ubuntu:GNOME", Tool::SystemMonitor, {}, "org.gnome.SystemMonitor.desktop"},
        {"KDE", Tool::SystemMonitor, {}, "org.kde.plasma-systemmonitor.desktop"},
        {"XFCE", Tool::SystemMonitor, {}, "xfce4-taskmanager.desktop"},
        {"MATE", Tool::SystemMonitor, {}, "mate-system-monitor.desktop"},
        {"LXQt", Tool::SystemMonitor, {}, "qps.desktop"},
        // Not the running desktop's own, but one that is installed.
        {"KDE", Tool::Settings, kde + QStringList{"org.gnome.Settings.desktop", "gnome-control-center.desktop"},
         "xfce-settings-manager.desktop"},
        {"", Tool::Settings, {}, "org.gnome.Settings.desktop"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.desktop) + " " + row.started.toStdString());
        installAllBut(row.missing);
        qputenv("XDG_CURRENT_DESKTOP", row.desktop);
        const QStringList recorded = fake::record([&] { return apps.start(row.tool); });
        EXPECT_EQ(recorded.mid(1), QStringList({fake::recorder(), row.started}));
    }
}

TEST_F(DesktopAppsTest, AToolNotInstalledIsAClearFailure)
{
    for (const Tool tool : {Tool::Settings, Tool::SystemMonitor}) {
        const QStringList all = LinuxDesktopApps::candidates(tool, QString());
        installAllBut(all);
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        const Result result = apps.start(tool);
        ASSERT_FALSE(result.ok());
        const QString reason = toQt(result.reason);
        EXPECT_TRUE(reason.startsWith(tool == Tool::Settings ? QStringLiteral("找不到系统设置程序")
                                                             : QStringLiteral("找不到系统监视器")))
            << result.reason;
        for (const QString& entry : all)
            EXPECT_TRUE(reason.contains(entry)) << entry.toStdString();
    }
}

// Without gvfs GIO cannot open computer:/// or trash:///: the file manager
// shows the root folder, and the trash folder of the user's data folder,
// made when missing.
TEST_F(DesktopAppsTest, WithoutGvfsThePlacesAreTheirFolders)
{
    const QString trash = fake::root() + QStringLiteral("/data/Trash/files");
    QDir(fake::root() + QStringLiteral("/data/Trash")).removeRecursively();
    EXPECT_EQ(LinuxDesktopApps::trashFilesFolder(), trash);

    const QStringList computer = fake::record([&] { return apps.openPlace(DesktopApps::Place::Computer); });
    EXPECT_EQ(computer.mid(1), QStringList({fake::recorder(), QStringLiteral("/")}));
    const QStringList deleted = fake::record([&] { return apps.openPlace(DesktopApps::Place::Trash); });
    EXPECT_EQ(deleted.mid(1), QStringList({fake::recorder(), trash}));
    EXPECT_EQ(QFileInfo(fake::root() + QStringLiteral("/data/Trash")).permissions() & 0x0077, 0);
}

}  // namespace
