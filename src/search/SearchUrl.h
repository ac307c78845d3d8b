#pragma once

#include <QString>

enum class SearchEngine { Baidu, Google, Gougou };
enum class SearchCategory { Web, Questions, Mp3, Pictures, Video, News };

// The results page of a search. The query goes in exactly as typed, neither
// encoded nor trimmed: the browser does any encoding. The category counts
// for Baidu only.
QString BuildSearchUrl(SearchEngine engine, SearchCategory category, const QString& query);

// The home page that the browser button opens.
extern const QString kHomePage;
