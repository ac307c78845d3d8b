#include "TitleText.h"

#include "core/profile/AnsiBytes.h"
#include "core/services/CodePage.h"
#include "core/text/Utf8.h"

std::string titleText(std::size_t itemCount)
{
    return "ゑVelkinゑ桌面菜单  (共" + std::to_string(itemCount) + "项）";
}

std::string trayTipText(std::size_t itemCount, const CodePage& codePage)
{
    constexpr std::size_t kTipBytes = 63;
    std::string tip = titleText(itemCount);
    // A tip that fits even if every character took four bytes needs no
    // encoding, which spares loading the code page at start-up.
    while (ansi::encodedLengthBound(tip) > kTipBytes && codePage.encode(tip).size() > kTipBytes)
        utf8::dropLastCharacter(tip);
    return tip;
}

std::string applicationTitle()
{
    return "Ombrel";
}
