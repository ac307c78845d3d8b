// GIO's headers come before Qt's, whose "signals" keyword they would trip over.
#include "GioApi.h"

#include "GioShell.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString takeError(const GioApi& g, GError*& error)
{
    const QString message = error ? QString::fromUtf8(error->message) : QStringLiteral("unknown");
    g.clear_error(&error);
    return message;
}

PlatformResult failure(const QString& path, const QString& why)
{
    return PlatformResult::failure(QStringLiteral("无法打开“%1”：%2").arg(path, why));
}

PlatformResult launchDefaultFor(const QString& path)
{
    QString why;
    const GioApi* g = gio(&why);
    if (!g)
        return failure(path, why);
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    GError* error = nullptr;
    gchar* uri = g->filename_to_uri(absolute.constData(), nullptr, &error);
    if (!uri)
        return failure(path, takeError(*g, error));
    GAppLaunchContext* context = g->app_launch_context_new();
    const gboolean ok = g->app_info_launch_default_for_uri(uri, context, &error);
    g->object_unref(context);
    g->free(uri);
    if (!ok)
        return failure(path, takeError(*g, error));
    return PlatformResult::success();
}

}  // namespace

PlatformResult GioShell::open(const QString& path)
{
    if (path.isEmpty())
        return failure(path, QStringLiteral("没有路径"));
    if (!path.endsWith(QLatin1String(".desktop")) || QFileInfo(path).isDir())
        return launchDefaultFor(path);
    QString unavailable;
    const GioApi* g = gio(&unavailable);
    if (!g)
        return failure(path, unavailable);

    GDesktopAppInfo* app = g->desktop_app_info_new_from_filename(QFile::encodeName(path).constData());
    if (!app) {
        // GLib also refuses an entry whose program is missing or not executable.
        const QString why = QFileInfo::exists(path) ? QStringLiteral("不是可启动的快捷方式，或找不到它的程序")
                                                    : QStringLiteral("文件不存在");
        return failure(path, why);
    }
    GAppLaunchContext* context = g->app_launch_context_new();
    GError* error = nullptr;
    const gboolean ok = g->app_info_launch(reinterpret_cast<GAppInfo*>(app), nullptr, context, &error);
    g->object_unref(context);
    g->object_unref(app);
    if (!ok)
        return failure(path, takeError(*g, error));
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
    QString why;
    const GioApi* g = gio(&why);
    if (!g)
        return failure(url, why);
    GAppLaunchContext* context = g->app_launch_context_new();
    GError* error = nullptr;
    const gboolean ok = g->app_info_launch_default_for_uri(url.toUtf8().constData(), context, &error);
    g->object_unref(context);
    if (!ok)
        return failure(url, takeError(*g, error));
    return PlatformResult::success();
}
