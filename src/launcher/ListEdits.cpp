#include "ListEdits.h"

#include "ItemText.h"
#include "app/logic/ListIndex.h"
#include "profile/AnsiCodec.h"
#include "profile/Profile.h"

#include <algorithm>

namespace {

// The longest value the profile reader gives back whole, in file bytes.
constexpr qsizetype kMaxReadBack = 9999;

bool holdsLineBreak(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'\n' || c == u'\r'; });
}

bool tooLong(const QString& value)
{
    // Cheap test first: no character takes more than four bytes.
    return value.size() * 4 > kMaxReadBack && ansi::encode(value).size() > kMaxReadBack;
}

}  // namespace

void writeListIndex(ProfileEdit& edit, const QStringList& entries)
{
    for (qsizetype i = 0; i < entries.size(); ++i)
        edit.WriteINI(kTitleSection, listKey(i), entries[i]);
    edit.WriteINI(kTitleSection, kCountKey, QString::number(entries.size()));
}

std::optional<QString> refusalOfNewItem(const QString& path, const QString& name)
{
    if (path.isEmpty())
        return QStringLiteral("路径不能为空！！！");
    if (name.isEmpty())
        return QStringLiteral("名称不能为空！！！");
    if (holdsLineBreak(path))
        return QStringLiteral("路径不能含有换行符！！！");
    if (holdsLineBreak(name))
        return QStringLiteral("名称不能含有换行符！！！");
    if (tooLong(path))
        return QStringLiteral("路径太长，无法保存！！！");
    if (tooLong(displayTextOf(name)))
        return QStringLiteral("名称太长，无法保存！！！");
    return std::nullopt;
}
