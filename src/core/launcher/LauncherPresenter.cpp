#include "LauncherPresenter.h"

#include "ItemText.h"
#include "ListEdits.h"
#include "ListMenu.h"
#include "ListIndex.h"
#include "ListOrder.h"
#include "core/services/Services.h"
#include "core/text/Utf8.h"
#include "core/window/NoticeTitles.h"
#include "core/window/TitleText.h"

LauncherPresenter::LauncherPresenter(LauncherView& view, Services& services)
    : view_(view)
    , services_(services)
    , launcher_(services)
{
}

void LauncherPresenter::load()
{
    // An empty list from a file that could not be read would look like a
    // file without items; the user is told instead.
    if (const std::string error = readList(); !error.empty())
        tellUnreadable(error);
    countChanged();
}

std::string LauncherPresenter::readList()
{
    const ProfileSnapshot profile(launcher_.profileAccess(), launcher_.profileFile());
    entries_ = readListIndex(profile);
    // The list box is sorted: entries go to their sorted places as they are added.
    ListOrder(services_.collation).sort(entries_);
    view_.showEntries(entries_);
    unread_ = !profile.readError().empty();
    return profile.readError();
}

void LauncherPresenter::tellUnreadable(const std::string& error)
{
    services_.messages.inform(kNoticeTitle, "无法读取设置文件 " + utf8::showingControls(launcher_.profileFile())
                                                + "\n原因：" + error);
}

// The index is rewritten whole from the list on screen, so an edit must not
// be built on a list that a failed read left empty: the file is read again
// first, and while it cannot be read the edit is refused.
bool LauncherPresenter::listIsCurrent()
{
    if (!unread_)
        return true;
    if (const std::string error = readList(); !error.empty()) {
        tellUnreadable(error);
        return false;
    }
    return true;
}

std::optional<std::string> LauncherPresenter::selectedOrTell(const std::string& notice)
{
    const std::optional<std::size_t> selected = view_.selectedEntry();
    if (!selected || *selected >= entries_.size() || entries_[*selected].empty()) {
        services_.messages.inform(kNoticeTitle, notice);
        return std::nullopt;
    }
    return entries_[*selected];
}

void LauncherPresenter::startSelected()
{
    if (const auto entry = selectedOrTell("请选择要启动的项目!"))
        launcher_.launch(*entry);
}

void LauncherPresenter::startSelectedAndClose()
{
    if (const auto entry = selectedOrTell("请选择要启动的项目!")) {
        if (launcher_.launch(*entry) && onCloseRequested)
            onCloseRequested();
    }
}

void LauncherPresenter::openSelectedFolder()
{
    if (const auto entry = selectedOrTell("请选择打开目录的项目!"))
        launcher_.openFolder(*entry);
}

void LauncherPresenter::placeShortcut(Place place)
{
    if (const auto entry = selectedOrTell("请选择要创建的项目!"))
        launcher_.placeShortcut(*entry, place);
}

bool LauncherPresenter::commit(ProfileEdit& edit)
{
    const ProfileResult result = edit.commit();
    if (!result.ok())
        services_.messages.inform(kNoticeTitle, result.message());
    return result.saved();
}

bool LauncherPresenter::addItem(const std::string& path, const std::string& name)
{
    bool added = false;
    if (const std::optional<std::string> refusal = refusalOfNewItem(path, name, services_.codePage)) {
        services_.messages.inform(kNoticeTitle, *refusal);
    } else if (listIsCurrent()) {
        const std::string entry = displayTextOf(name);
        std::vector<std::string> entries = entries_;
        const std::size_t at = ListOrder(services_.collation).insertPosition(entries, entry);
        entries.insert(entries.begin() + std::ptrdiff_t(at), entry);

        ProfileEdit edit(launcher_.profileAccess(), launcher_.profileFile());
        edit.writeProfileValue(entry, std::string(kFilenameKey), path);
        writeListIndex(edit, entries);
        if (commit(edit)) {
            entries_ = std::move(entries);
            view_.insertEntry(at, entry);
            added = true;
        }
    }
    countChanged();
    return added;
}

void LauncherPresenter::deleteSelected()
{
    if (!listIsCurrent()) {
        countChanged();
        return;
    }
    if (const auto entry = selectedOrTell("请选择要删除的项目!")) {
        const std::size_t row = *view_.selectedEntry();
        if (services_.messages.confirm(applicationTitle(), "确定删除吗？")) {
            std::vector<std::string> entries = entries_;
            entries.erase(entries.begin() + std::ptrdiff_t(row));
            ProfileEdit edit(launcher_.profileAccess(), launcher_.profileFile());
            writeListIndex(edit, entries);
            if (commit(edit)) {
                entries_ = std::move(entries);
                view_.removeEntry(row);
            }
        }
    }
    countChanged();
}

void LauncherPresenter::clearAll()
{
    if (listIsCurrent() && !entries_.empty() && services_.messages.confirm(applicationTitle(), "确定全部删除吗？")) {
        ProfileEdit edit(launcher_.profileAccess(), launcher_.profileFile());
        edit.writeProfileValue(kTitleSection, kCountKey, "0");
        if (commit(edit)) {
            entries_.clear();
            view_.clearEntries();
        }
    }
    countChanged();
}

void LauncherPresenter::countChanged()
{
    tipEntry_.reset();  // entries may have moved under the pointer
    if (onCountChanged)
        onCountChanged(entries_.size());
}

// An empty entry names the empty program too, so that a run-program
// schedule never keeps an item that is no longer chosen.
void LauncherPresenter::entryChosen()
{
    const std::optional<std::size_t> selected = view_.selectedEntry();
    if (!selected || *selected >= entries_.size())
        return;
    if (onEntryChosen)
        onEntryChosen(entries_[*selected]);
}

// The tooltip names the path of the entry under the pointer; below the last
// entry it shows nothing. The profile is read when the pointer reaches
// another entry, not at every move.
void LauncherPresenter::pointerOver(std::optional<std::size_t> entry)
{
    if (entry && entry == tipEntry_)
        return;
    tipEntry_ = entry;
    if (!entry || *entry >= entries_.size())
        view_.showTip({});
    else
        view_.showTip("路径:" + launcher_.targetOf(entries_[*entry]));
}

void LauncherPresenter::menuRequested()
{
    using namespace list_menu;
    const std::optional<std::string> chosen = view_.popupMenu(kMenu);
    if (!chosen)
        return;
    if (*chosen == kStart)
        startSelected();
    else if (*chosen == kOpenFolder)
        openSelectedFolder();
    else if (*chosen == kOnDesktop)
        placeShortcut(Place::Desktop);
    else if (*chosen == kInStartMenu)
        placeShortcut(Place::StartMenu);
    else if (*chosen == kInQuickLaunch)
        placeShortcut(Place::QuickLaunch);
    else if (*chosen == kAdd)
        addChosen();
    else if (*chosen == kDelete)
        deleteSelected();
    else if (*chosen == kClear)
        clearAll();
}

void LauncherPresenter::addChosen()
{
    if (onAddRequested)
        onAddRequested();
}

void LauncherPresenter::selectEntry(std::size_t at)
{
    view_.selectEntry(at);
}

void LauncherPresenter::letterTyped(char letter)
{
    const auto found = typeToFind_.letterTyped(letter, services_.clock.steadyNow(), entries_, view_.selectedEntry());
    if (found && found != view_.selectedEntry()) {
        view_.selectEntry(*found);
        entryChosen();
    }
}
