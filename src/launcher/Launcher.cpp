#include "Launcher.h"

#include "core/launcher/ItemText.h"
#include "core/profile/Profile.h"
#include "app/QtText.h"

#include <QDebug>

namespace {

const QString kNotice = QStringLiteral("提示");

// The launch commands end quietly on failure; the reason still goes to the
// program's error output, for whoever runs it from a terminal.
void reportQuietly(const char* step, const PlatformResult& result)
{
    qWarning().noquote() << step << result.reason;
}

}  // namespace

const QString Launcher::kLaunchHotkey = QStringLiteral("ALT+CTRL+R");

Launcher::Launcher(Platform& platform)
    : platform_(platform)
{
}

QString Launcher::targetOf(const QString& displayText) const
{
    const ProfileAccess access{platform_.fileStore, platform_.codePage};
    return toQt(GetINI(access, toStd(displayText), std::string(kFilenameKey), profilePath(toStd(platform_.appFolder.path()))));
}

QString Launcher::folderOf(const QString& path) const
{
    const QChar separator = platform_.files.separator();
    return toQt(folderPart(toStd(path), char(separator.unicode())));
}

QString Launcher::launchShortcutPath() const
{
    return platform_.appFolder.path() + platform_.files.separator() + QStringLiteral("Ombrel")
        + platform_.links.suffix();
}

PlatformResult Launcher::StateShell(const QString& path)
{
    return platform_.shell.open(path);
}

bool Launcher::LaunchItem(const QString& displayText, QWidget* parent)
{
    const QString path = targetOf(displayText);
    if (platform_.files.fileNameOf(path).isEmpty()) {
        platform_.messages.inform(parent, kNotice, QStringLiteral("设置有误，启动失败！！！"));
        return false;
    }
    const QString shortcut = launchShortcutPath();
    const ShortcutFields fields{toQt(itemNameOf(toStd(displayText))), path, folderOf(path), kLaunchHotkey};
    if (const PlatformResult saved = platform_.links.save(shortcut, fields); !saved.ok()) {
        reportQuietly("Launch shortcut not saved:", saved);
        return false;
    }
    if (const PlatformResult opened = StateShell(shortcut); !opened.ok()) {
        reportQuietly("Launch failed:", opened);
        return false;
    }
    return true;
}

void Launcher::openFolder(const QString& displayText, QWidget* parent)
{
    const QString path = targetOf(displayText);
    if (platform_.files.fileNameOf(path).isEmpty()) {
        platform_.messages.inform(parent, kNotice, QStringLiteral("此文件已不存在!"));
        return;
    }
    const PlatformResult opened = platform_.shell.openFolder(folderOf(path));
    if (!opened.ok())
        platform_.messages.inform(parent, kNotice, QStringLiteral("无法打开文件目录：%1").arg(opened.reason));
}

QString Launcher::folderFor(Place place) const
{
    switch (place) {
    case Place::Desktop: return platform_.links.specialFolder(SpecialFolder::Desktop);
    case Place::StartMenu: return platform_.links.specialFolder(SpecialFolder::StartMenu);
    case Place::QuickLaunch:
        return toQt(quickLaunchFolder(toStd(platform_.links.specialFolder(SpecialFolder::StartMenu))));
    }
    return {};
}

void Launcher::PlaceShortcut(const QString& displayText, Place place, QWidget* parent)
{
    if (displayText.isEmpty()) {
        platform_.messages.inform(parent, kNotice, QStringLiteral("请选择要创建的项目!"));
        return;
    }
    const QString path = targetOf(displayText);
    if (platform_.files.fileNameOf(path).isEmpty()) {
        platform_.messages.inform(parent, kNotice, QStringLiteral("此文件已不存在，创建失败！！！"));
        return;
    }
    const QString folder = folderFor(place);
    if (folder.isEmpty()) {
        reportQuietly("Shortcut not placed:", PlatformResult::failure(QStringLiteral("no such folder")));
        return;
    }
    const QChar separator = platform_.files.separator();
    const QString name = toQt(itemNameOf(toStd(displayText)));
    const QString file = folder + separator + name + platform_.links.suffix();
    const ShortcutFields fields{name, path, folderOf(path), {}};
    if (const PlatformResult saved = platform_.links.save(file, fields); !saved.ok())
        reportQuietly("Shortcut not placed:", saved);
}
