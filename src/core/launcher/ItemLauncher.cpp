#include "ItemLauncher.h"

#include "ItemText.h"
#include "core/services/Services.h"
#include "core/window/NoticeTitles.h"

#include <cstdio>

namespace {

// The launch commands end quietly on failure; the reason still goes to the
// program's error output, for whoever runs it from a terminal. (stdio rather
// than iostream: the streams' start-up costs memory in every run.)
void reportQuietly(const char* step, const Result& result)
{
    std::fprintf(stderr, "%s %s\n", step, result.reason.c_str());
}

// A shortcut's file name is the item's name: one that holds a separator,
// or starts with "." ("..", or a hidden file), would put the file somewhere
// else than the chosen folder.
bool staysInFolder(const std::string& name, char separator)
{
    return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos
           && name.find(separator) == std::string::npos;
}

}  // namespace

ItemLauncher::ItemLauncher(Services& services)
    : services_(services)
{
}

ProfileAccess ItemLauncher::profileAccess() const
{
    return {services_.fileStore, services_.codePage};
}

std::string ItemLauncher::profileFile() const
{
    return profilePath(services_.appFolder.path());
}

std::string ItemLauncher::targetOf(const std::string& displayText) const
{
    return readProfileValue(profileAccess(), displayText, std::string(kFilenameKey), profileFile());
}

std::string ItemLauncher::folderOf(const std::string& path) const
{
    return folderPart(path, services_.files.separator());
}

std::string ItemLauncher::launchShortcutPath() const
{
    return services_.appFolder.path() + services_.files.separator() + "Ombrel" + services_.links.suffix();
}

bool ItemLauncher::launch(const std::string& displayText)
{
    const std::string path = targetOf(displayText);
    if (services_.files.fileNameOf(path).empty()) {
        services_.messages.inform(kNoticeTitle, "设置有误，启动失败！！！");
        return false;
    }
    const std::string shortcut = launchShortcutPath();
    const ShortcutFields fields{itemNameOf(displayText), path, folderOf(path), std::string(kLaunchHotkey)};
    if (const Result saved = services_.links.save(shortcut, fields); !saved.ok()) {
        reportQuietly("Launch shortcut not saved:", saved);
        return false;
    }
    if (const Result opened = services_.shell.open(shortcut); !opened.ok()) {
        reportQuietly("Launch failed:", opened);
        return false;
    }
    return true;
}

void ItemLauncher::openFolder(const std::string& displayText)
{
    const std::string path = targetOf(displayText);
    if (services_.files.fileNameOf(path).empty()) {
        services_.messages.inform(kNoticeTitle, "此文件已不存在!");
        return;
    }
    const Result opened = services_.shell.openFolder(folderOf(path));
    if (!opened.ok())
        services_.messages.inform(kNoticeTitle, "无法打开文件目录：" + opened.reason);
}

std::string ItemLauncher::folderFor(Place place) const
{
    switch (place) {
    case Place::Desktop: return services_.links.specialFolder(SpecialFolder::Desktop);
    case Place::StartMenu: return services_.links.specialFolder(SpecialFolder::StartMenu);
    case Place::QuickLaunch: return quickLaunchFolder(services_.links.specialFolder(SpecialFolder::StartMenu));
    }
    return {};
}

void ItemLauncher::placeShortcut(const std::string& displayText, Place place)
{
    const std::string path = targetOf(displayText);
    if (services_.files.fileNameOf(path).empty()) {
        services_.messages.inform(kNoticeTitle, "此文件已不存在，创建失败！！！");
        return;
    }
    const std::string folder = folderFor(place);
    if (folder.empty()) {
        reportQuietly("Shortcut not placed:", Result::failure("no such folder"));
        return;
    }
    const std::string name = itemNameOf(displayText);
    if (!staysInFolder(name, services_.files.separator())) {
        reportQuietly("Shortcut not placed:", Result::failure("the name \"" + name + "\" would leave the folder"));
        return;
    }
    const std::string file = folder + services_.files.separator() + name + services_.links.suffix();
    const ShortcutFields fields{name, path, folderOf(path), {}};
    if (const Result saved = services_.links.save(file, fields); !saved.ok())
        reportQuietly("Shortcut not placed:", saved);
}
