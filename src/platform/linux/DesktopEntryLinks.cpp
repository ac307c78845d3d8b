// GIO's headers come before Qt's, whose "signals" keyword they would trip over.
#include "GioApi.h"

#include "DesktopEntryLinks.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// Creates the missing folders of path with mode 0700, as the XDG base
// directory rules ask for the user's data folders.
bool makePrivatePath(const QString& path)
{
    const QStringList parts = QDir::cleanPath(path).split(u'/', Qt::SkipEmptyParts);
    QString sofar;
    for (const QString& part : parts) {
        sofar += u'/' + part;
        const QByteArray name = QFile::encodeName(sofar);
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(path).isDir();
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

}  // namespace

PlatformResult markTrustedWithGio(const QString& file)
{
    QString unavailable;
    const GioApi* g = gio(&unavailable);
    if (!g)
        return PlatformResult::failure(QStringLiteral("无法标记为可信：") + unavailable);
    GFile* gfile = g->file_new_for_path(QFile::encodeName(file).constData());
    GError* error = nullptr;
    const gboolean ok = g->file_set_attribute_string(gfile, "metadata::trusted", "true", G_FILE_QUERY_INFO_NONE,
                                                     nullptr, &error);
    g->object_unref(gfile);
    if (ok)
        return PlatformResult::success();
    const QString why = error ? QString::fromUtf8(error->message) : QString();
    g->clear_error(&error);
    return PlatformResult::failure(QStringLiteral("无法标记为可信：") + why);
}

DesktopEntryLinks::DesktopEntryLinks(TrustMarker markTrusted)
    : markTrusted_(std::move(markTrusted))
{
}

QString DesktopEntryLinks::suffix() const
{
    return QStringLiteral(".desktop");
}

QString DesktopEntryLinks::specialFolder(SpecialFolder folder) const
{
    switch (folder) {
    case SpecialFolder::Desktop:
        return withoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    case SpecialFolder::StartMenu: {
        const QString menu
            = withoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
        if (menu.isEmpty() || !makePrivatePath(menu))
            return {};
        return menu;
    }
    }
    return {};
}

PlatformResult DesktopEntryLinks::save(const QString& file, const ShortcutFields& fields)
{
    const QByteArray text = desktopEntryText(fields, targetKind(fields.target));
    QSaveFile out(file);
    // Desktops launch only entries their owner may execute; the mode is set
    // on the new file before it takes the old one's place.
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                      | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                      | QFileDevice::ExeOther;
    if (!out.open(QIODevice::WriteOnly) || !out.setPermissions(mode) || out.write(text) != text.size()
        || !out.commit())
        return PlatformResult::failure(QStringLiteral("无法写入快捷方式：") + out.errorString());
    // Without the mark some file managers ask before launching the entry;
    // with it or without it the entry is written, so a failure is no error.
    if (markTrusted_)
        markTrusted_(file);
    return PlatformResult::success();
}
