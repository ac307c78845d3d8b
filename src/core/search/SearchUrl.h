#pragma once

#include <string>
#include <string_view>

enum class SearchEngine { Baidu, Google, Gougou };
enum class SearchCategory { Web, Questions, Mp3, Pictures, Video, News };

// The results page of a search. The query goes in exactly as typed, neither
// encoded nor trimmed: the browser does any encoding. The category counts
// for Baidu only.
std::string searchUrl(SearchEngine engine, SearchCategory category, std::string_view query);

// The home page that the browser button opens.
inline constexpr std::string_view kHomePage = "http://www.baidu.com";
