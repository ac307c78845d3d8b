#include "ListEdits.h"

#include "ItemText.h"
#include "ListIndex.h"
#include "core/profile/AnsiBytes.h"
#include "core/profile/Profile.h"
#include "core/services/CodePage.h"
#include "core/text/Utf8.h"

namespace {

// The longest value the profile reader gives back whole, in file bytes.
constexpr std::size_t kMaxReadBack = 9999;

bool tooLong(const std::string& value, const CodePage& codePage)
{
    // Cheap test first: no character takes more than four bytes.
    return ansi::encodedLengthBound(value) > kMaxReadBack && codePage.encode(value).size() > kMaxReadBack;
}

}  // namespace

void writeListIndex(ProfileEdit& edit, const std::vector<std::string>& entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        edit.writeProfileValue(kTitleSection, listKey(i), entries[i]);
    edit.writeProfileValue(kTitleSection, kCountKey, std::to_string(entries.size()));
}

std::optional<std::string> refusalOfNewItem(const std::string& path, const std::string& name,
                                            const CodePage& codePage)
{
    if (path.empty())
        return "路径不能为空！！！";
    if (name.empty())
        return "名称不能为空！！！";
    if (utf8::holdsLineBreak(path))
        return "路径不能含有换行符！！！";
    if (utf8::holdsLineBreak(name))
        return "名称不能含有换行符！！！";
    if (tooLong(path, codePage))
        return "路径太长，无法保存！！！";
    if (tooLong(displayTextOf(name), codePage))
        return "名称太长，无法保存！！！";
    return std::nullopt;
}
