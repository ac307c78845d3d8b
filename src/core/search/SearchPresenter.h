#pragma once

#include "SearchUrl.h"

#include <cstddef>
#include <string>

class LauncherPresenter;
struct Services;

// The search panel's box.
class SearchView {
public:
    virtual ~SearchView() = default;
    virtual std::string query() const = 0;
};

// The search panel: a web search in the default browser with the chosen
// engine and category, and a find of the query in the launcher list.
class SearchPresenter {
public:
    // findStart is where the next find in the list begins; it outlives the
    // window.
    SearchPresenter(SearchView& view, LauncherPresenter& list, Services& services, std::size_t& findStart);

    void chooseEngine(SearchEngine engine) { engine_ = engine; }
    void chooseCategory(SearchCategory category) { category_ = category; }
    void search();
    // Selects the next list entry holding the query.
    void findInList();

private:
    SearchView& view_;
    LauncherPresenter& list_;
    Services& services_;
    std::size_t& findStart_;
    SearchEngine engine_ = SearchEngine::Baidu;
    SearchCategory category_ = SearchCategory::Web;
};
