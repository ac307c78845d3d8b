#include "Fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes()
{
    const QStringList yaHei = {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
                               QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")};
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), yaHei);
    // 幼圆 is a rounded face; the nearest common ones are the WenQuanYi faces.
    const QStringList youYuan = {QStringLiteral("YouYuan"), QStringLiteral("WenQuanYi Micro Hei"),
                                 QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                                 QStringLiteral("Droid Sans Fallback")};
    QFont::insertSubstitutions(QStringLiteral("幼圆"), youYuan);
}

QFont uiFont(double points, bool bold)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont roundFont(double points)
{
    QFont font(QStringLiteral("幼圆"));
    font.setPointSizeF(points);
    return font;
}
