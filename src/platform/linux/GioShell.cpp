// GIO's headers come before Qt's, whose "signals" keyword they would trip over.
#include "GioApi.h"

#include "GioShell.h"

#include "platform/qt/QtText.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString takeError(const GioApi& g, GError*& error)
{
    const QString message = error ? QString::fromUtf8(error->message) : QStringLiteral("unknown");
    g.clear_error(&error);
    return message;
}

Result failure(const QString& path, const QString& why)
{
    return Result::failure(toStd(QStringLiteral("无法打开“%1”：%2").arg(path, why)));
}

Result launchDefaultFor(const QString& path)
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
    return Result::success();
}

}  // namespace

Result GioShell::open(const std::string& utf8Path)
{
    const QString path = toQt(utf8Path);
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
    return Result::success();
}

Result GioShell::openFolder(const std::string& folder)
{
    if (folder.empty())
        return failure(QString(), QStringLiteral("没有路径"));
    return launchDefaultFor(toQt(folder));
}

// The address goes to the handler exactly as given: the browser does any
// encoding of what the user typed.
Result GioShell::openUrl(const std::string& url)
{
    QString why;
    const GioApi* g = gio(&why);
    if (!g)
        return failure(toQt(url), why);
    GAppLaunchContext* context = g->app_launch_context_new();
    GError* error = nullptr;
    const gboolean ok = g->app_info_launch_default_for_uri(url.c_str(), context, &error);
    g->object_unref(context);
    if (!ok)
        return failure(toQt(url), takeError(*g, error));
    return Result::success();
}
