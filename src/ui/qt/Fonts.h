#pragma once

#include <QFont>

// Maps the Windows font names the windows ask for to fonts found on this
// system, so Chinese text always renders.
void installFontSubstitutes();

// The program's two faces: 微软雅黑 for controls and captions, 幼圆 for the
// status lines and the notice's message.
QFont uiFont(double points, bool bold = false);
QFont roundFont(double points);
