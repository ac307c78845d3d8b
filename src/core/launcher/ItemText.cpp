#include "ItemText.h"

#include "core/text/Utf8.h"

std::string displayTextOf(std::string_view name)
{
    return std::string(kItemMarker).append(name);
}

std::string itemNameOf(std::string_view displayText)
{
    return utf8::replaceAll(displayText, kItemMarker, "");
}

std::string folderPart(std::string_view path, char separator)
{
    const std::size_t last = path.rfind(separator);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string quickLaunchFolder(std::string_view startMenu)
{
    return utf8::replaceAll(startMenu, "Windows\\Start Menu", "Internet Explorer\\Quick Launch");
}
