#include "SearchUrl.h"

namespace {

struct UrlParts {
    const char* before;
    const char* after;
};

UrlParts baiduParts(SearchCategory category)
{
    switch (category) {
    case SearchCategory::Web: return {"http://www.baidu.com/s?wd=", ""};
    case SearchCategory::Questions:
        return {"http://zhidao.baidu.com/q?word= ", "&fr=search&ct=17&pn=0&tn=ikaslist&rn=30"};
    case SearchCategory::Mp3: return {"http://mp3.baidu.com/m?f=ms&rn=&tn=baidump3&ct=134217728&word=", ""};
    case SearchCategory::Pictures: return {"http://image.baidu.com/i?tn=baiduimage&ct=201326592&lm=-1&cl=2&word=", ""};
    case SearchCategory::Video: return {"http://video.baidu.com/v?ct=301989888&rn=20&pn=0&db=0&s=6&word=", ""};
    case SearchCategory::News: return {"http://news.baidu.com/ns?cl=2&rn=20&tn=news&word=", ""};
    }
    return {"http://www.baidu.com/s?wd=", ""};
}

UrlParts partsFor(SearchEngine engine, SearchCategory category)
{
    switch (engine) {
    case SearchEngine::Google: return {"http://www.google.cn/search?hl=zh-CN&q=", ""};
    case SearchEngine::Gougou: return {"http://www.gougou.com/search?search=", ""};
    case SearchEngine::Baidu: break;
    }
    return baiduParts(category);
}

}  // namespace

std::string searchUrl(SearchEngine engine, SearchCategory category, std::string_view query)
{
    const UrlParts parts = partsFor(engine, category);
    return std::string(parts.before).append(query).append(parts.after);
}
