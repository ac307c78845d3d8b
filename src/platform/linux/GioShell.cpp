#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "GioShell.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString takeError(GError*& error)
{
    const QString message = error ? QString::fromUtf8(error->message) : QStringLiteral("unknown");
    g_clear_error(&error);
    return message;
}

PlatformResult failure(const QString& path, const QString& why)
{
    return PlatformResult::failure(QStringLiteral("无法打开“%1”：%2").arg(path, why));
}

PlatformResult launchDefaultFor(const QString& path)
{
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    GError* error = nullptr;
    gchar* uri = g_filename_to_uri(absolute.constData(), nullptr, &error);
    if (!uri)
        return failure(path, takeError(error));
    GAppLaunchContext* context = g_app_launch_context_new();
    const gboolean ok = g_app_info_launch_default_for_uri(uri, context, &error);
    g_object_unref(context);
    g_free(uri);
    if (!ok)
        return failure(path, takeError(error));
    return PlatformResult::success();
}

}  // namespace

PlatformResult GioShell::open(const QString& path)
{
    if (path.isEmpty())
        return failure(path, QStringLiteral("没有路径"));
    if (!path.endsWith(QLatin1String(".desktop")) || QFileInfo(path).isDir())
        return launchDefaultFor(path);

    GDesktopAppInfo* app = g_desktop_app_info_new_from_filename(QFile::encodeName(path).constData());
    if (!app) {
        // GLib also refuses an entry whose program is missing or not executable.
        const QString why = QFileInfo::exists(path) ? QStringLiteral("不是可启动的快捷方式，或找不到它的程序")
                                                    : QStringLiteral("文件不存在");
        return failure(path, why);
    }
    GAppLaunchContext* context = g_app_launch_context_new();
    GError* error = nullptr;
    const gboolean ok = g_app_info_launch(G_APP_INFO(app), nullptr, context, &error);
    g_object_unref(context);
    g_object_unref(app);
    if (!ok)
        return failure(path, takeError(error));
    return PlatformResult::success();
}

PlatformResult GioShell::openFolder(const QString& folder)
{
    if (folder.isEmpty())
        return failure(folder, QStringLiteral("没有路径"));
    return launchDefaultFor(folder);
}

// The address goes to the handler exactly as given: the browser does any
// encoding of what the user typed.
PlatformResult GioShell::openUrl(const QString& url)
{
    GAppLaunchContext* context = g_app_launch_context_new();
    GError* error = nullptr;
    const gboolean ok = g_app_info_launch_default_for_uri(url.toUtf8().constData(), context, &error);
    g_object_unref(context);
    if (!ok)
        return failure(url, takeError(error));
    return PlatformResult::success();
}
