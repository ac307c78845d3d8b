// GIO's headers come before Qt's, whose "signals" keyword they would trip over.
#include "GioApi.h"

#include "LinuxDesktopApps.h"

#include "core/services/Shell.h"
#include "platform/qt/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

// The desktops, by the names they give in XDG_CURRENT_DESKTOP, with the
// desktop entries of their settings application and system monitor: the
// current name first, then the older one.
struct DesktopTools {
    QStringList names;
    QStringList settings;
    QStringList monitors;
};

const QList<DesktopTools>& desktops()
{
    static const QList<DesktopTools> all = {
        {{"GNOME", "GNOME-Classic", "GNOME-Flashback", "Unity", "Budgie"},
         {"org.gnome.Settings.desktop", "gnome-control-center.desktop"},
         {"org.gnome.SystemMonitor.desktop", "gnome-system-monitor.desktop"}},
        {{"KDE"},
         {"systemsettings.desktop", "org.kde.systemsettings.desktop"},
         {"org.kde.plasma-systemmonitor.desktop", "org.kde.ksysguard.desktop"}},
        {{"XFCE"}, {"xfce-settings-manager.desktop"}, {"xfce4-taskmanager.desktop"}},
        {{"MATE"}, {"mate-control-center.desktop"}, {"mate-system-monitor.desktop"}},
        {{"X-Cinnamon", "Cinnamon"},
         {"cinnamon-settings.desktop"},
         {"org.gnome.SystemMonitor.desktop", "gnome-system-monitor.desktop"}},
        {{"LXQt"}, {"lxqt-config.desktop"}, {"qps.desktop"}},
    };
    return all;
}

const QStringList& entriesOf(const DesktopTools& desktop, DesktopApps::Tool tool)
{
    return tool == DesktopApps::Tool::Settings ? desktop.settings : desktop.monitors;
}

QString toolName(DesktopApps::Tool tool)
{
    return tool == DesktopApps::Tool::Settings ? QStringLiteral("系统设置程序") : QStringLiteral("系统监视器");
}

QString takeError(const GioApi& g, GError*& error)
{
    const QString message = error ? QString::fromUtf8(error->message) : QStringLiteral("unknown");
    g.clear_error(&error);
    return message;
}

// Whether GIO has a way into the scheme: a virtual file system that serves
// it (gvfs), or an application registered for it.
bool gioServes(const GioApi& g, const char* scheme)
{
    if (GVfs* vfs = g.vfs_get_default()) {
        if (const gchar* const* schemes = g.vfs_get_supported_uri_schemes(vfs)) {
            for (; *schemes; ++schemes) {
                if (qstrcmp(*schemes, scheme) == 0)
                    return true;
            }
        }
    }
    if (GAppInfo* handler = g.app_info_get_default_for_uri_scheme(scheme)) {
        g.object_unref(handler);
        return true;
    }
    return false;
}

Result openUri(const GioApi& g, const char* uri)
{
    GAppLaunchContext* context = g.app_launch_context_new();
    GError* error = nullptr;
    const gboolean ok = g.app_info_launch_default_for_uri(uri, context, &error);
    g.object_unref(context);
    if (!ok)
        return Result::failure(toStd(QStringLiteral("无法打开“%1”：%2").arg(QLatin1String(uri), takeError(g, error))));
    return Result::success();
}

}  // namespace

LinuxDesktopApps::LinuxDesktopApps(Shell& folders) : folders_(folders) {}

QStringList LinuxDesktopApps::candidates(Tool tool, const QString& currentDesktop)
{
    QStringList found;
    const auto add = [&found](const QStringList& entries) {
        for (const QString& entry : entries) {
            if (!found.contains(entry))
                found.append(entry);
        }
    };
    // XDG_CURRENT_DESKTOP lists names, the narrowest first, separated by colons.
    for (const QString& name : currentDesktop.split(u':', Qt::SkipEmptyParts)) {
        for (const DesktopTools& desktop : desktops()) {
            if (desktop.names.contains(name, Qt::CaseInsensitive))
                add(entriesOf(desktop, tool));
        }
    }
    for (const DesktopTools& desktop : desktops())
        add(entriesOf(desktop, tool));
    return found;
}

QString LinuxDesktopApps::trashFilesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash/files");
}

Result LinuxDesktopApps::openPlace(Place place)
{
    QString why;
    const GioApi* g = gio(&why);
    const char* const scheme = place == Place::Computer ? "computer" : "trash";
    if (g && gioServes(*g, scheme))
        return openUri(*g, place == Place::Computer ? "computer:///" : "trash:///");

    if (place == Place::Computer)
        return folders_.openFolder("/");
    // The trash folder as the freedesktop trash lays it out, made private
    // when it is first needed.
    const QString folder = trashFilesFolder();
    const QString trash = QFileInfo(folder).path();
    const bool fresh = !QFileInfo::exists(trash);
    if (!QDir().mkpath(folder))
        return Result::failure(toStd(QStringLiteral("无法建立回收站文件夹“%1”").arg(folder)));
    if (fresh)
        ::chmod(QFile::encodeName(trash).constData(), 0700);
    return folders_.openFolder(toStd(folder));
}

Result LinuxDesktopApps::start(Tool tool)
{
    const QStringList entries = candidates(tool, qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    QString why;
    const GioApi* g = gio(&why);
    if (!g)
        return Result::failure(toStd(QStringLiteral("无法启动%1：%2").arg(toolName(tool), why)));

    for (const QString& entry : entries) {
        // GIO finds the entry in the user's and the system's application
        // folders, and refuses one whose program is not installed. A hidden
        // entry counts as deleted.
        GDesktopAppInfo* app = g->desktop_app_info_new(entry.toUtf8().constData());
        if (!app)
            continue;
        if (g->desktop_app_info_get_is_hidden(app)) {
            g->object_unref(app);
            continue;
        }
        GAppInfo* info = reinterpret_cast<GAppInfo*>(app);
        const QString name = QString::fromUtf8(g->app_info_get_display_name(info));
        GAppLaunchContext* context = g->app_launch_context_new();
        GError* error = nullptr;
        const gboolean ok = g->app_info_launch(info, nullptr, context, &error);
        g->object_unref(context);
        g->object_unref(app);
        if (!ok) {
            return Result::failure(toStd(
                QStringLiteral("无法启动%1“%2”（%3）：%4").arg(toolName(tool), name, entry, takeError(*g, error))));
        }
        return Result::success();
    }
    return Result::failure(toStd(QStringLiteral("找不到%1：没有安装以下任何一个程序：\n%2")
                                     .arg(toolName(tool), entries.join(QStringLiteral("\n")))));
}
