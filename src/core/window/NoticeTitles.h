#pragma once

#include <string>

// The title of the program's notices: checks that refuse a command, failures
// and the end of a find. Questions and the empty-search notice carry the
// application's title instead (applicationTitle()).
inline const std::string kNoticeTitle = "提示";
