#include "SearchPresenter.h"

#include "ListFind.h"
#include "core/launcher/LauncherPresenter.h"
#include "core/services/Services.h"
#include "core/window/NoticeTitles.h"
#include "core/window/TitleText.h"

SearchPresenter::SearchPresenter(SearchView& view, LauncherPresenter& list, Services& services, std::size_t& findStart)
    : view_(view)
    , list_(list)
    , services_(services)
    , findStart_(findStart)
{
}

void SearchPresenter::search()
{
    const std::string query = view_.query();
    // A query of blanks alone is searched; only an empty one is refused.
    if (query.empty()) {
        services_.messages.inform(applicationTitle(), "请输入要搜索的内容！");
        return;
    }
    // A browser that cannot be started goes unreported, as the system's own
    // "open" does.
    services_.shell.openUrl(searchUrl(engine_, category_, query));
}

void SearchPresenter::findInList()
{
    if (const auto found = findNextEntry(list_.entries(), view_.query(), findStart_))
        list_.selectEntry(*found);
    else
        services_.messages.inform(kNoticeTitle, "查找完毕!");
}
