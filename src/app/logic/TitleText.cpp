#include "TitleText.h"

#include "profile/AnsiCodec.h"

QString titleText(qsizetype itemCount)
{
    return QStringLiteral("ゑVelkinゑ桌面菜单  (共") + QString::number(itemCount) + QStringLiteral("项）");
}

QString trayTipText(qsizetype itemCount)
{
    constexpr qsizetype kTipBytes = 63;
    QString tip = titleText(itemCount);
    while (ansi::encode(tip).size() > kTipBytes)
        tip.chop(1);
    return tip;
}

QString applicationTitle()
{
    return QStringLiteral("Ombrel");
}
