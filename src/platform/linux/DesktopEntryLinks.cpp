// GIO's headers come before Qt's, whose "signals" keyword they would trip over.
#include "GioApi.h"

#include "DesktopEntryLinks.h"

#include "DesktopEntry.h"
#include "platform/qt/QtText.h"

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

Result markTrustedWithGio(const std::string& file)
{
    QString unavailable;
    const GioApi* g = gio(&unavailable);
    if (!g)
        return Result::failure(toStd(QStringLiteral("无法标记为可信：") + unavailable));
    GFile* gfile = g->file_new_for_path(file.c_str());
    GError* error = nullptr;
    const gboolean ok = g->file_set_attribute_string(gfile, "metadata::trusted", "true", G_FILE_QUERY_INFO_NONE,
                                                     nullptr, &error);
    g->object_unref(gfile);
    if (ok)
        return Result::success();
    const std::string why = error ? std::string(error->message) : std::string();
    g->clear_error(&error);
    return Result::failure("无法标记为可信：" + why);
}

DesktopEntryLinks::DesktopEntryLinks(TrustMarker markTrusted)
    : markTrusted_(std::move(markTrusted))
{
}

std::string DesktopEntryLinks::suffix() const
{
    return ".desktop";
}

std::string DesktopEntryLinks::specialFolder(SpecialFolder folder) const
{
    switch (folder) {
    case SpecialFolder::Desktop:
        return toStd(withoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)));
    case SpecialFolder::StartMenu: {
        const QString menu
            = withoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
        if (menu.isEmpty() || !makePrivatePath(menu))
            return {};
        return toStd(menu);
    }
    }
    return {};
}

Result DesktopEntryLinks::save(const std::string& file, const ShortcutFields& fields)
{
    const QByteArray text = desktopEntryText(fields, targetKind(toQt(fields.target)));
    QSaveFile out(toQt(file));
    // Desktops launch only entries their owner may execute; the mode is set
    // on the new file before it takes the old one's place.
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                      | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                      | QFileDevice::ExeOther;
    if (!out.open(QIODevice::WriteOnly) || !out.setPermissions(mode) || out.write(text) != text.size()
        || !out.commit())
        return Result::failure(toStd(QStringLiteral("无法写入快捷方式：") + out.errorString()));
    // Without the mark some file managers ask before launching the entry;
    // with it or without it the entry is written, so a failure is no error.
    if (markTrusted_)
        markTrusted_(file);
    return Result::success();
}
