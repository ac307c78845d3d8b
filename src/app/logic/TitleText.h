#pragma once

#include <QString>

// The line that names the product and counts the items: the caption of the
// title strip and the tray tip.
QString titleText(qsizetype itemCount);

// The tray tip: the title text cut so that its ANSI form and the ending zero
// byte fit the 64-byte tip field of the tray record.
QString trayTipText(qsizetype itemCount);

// The caption of message boxes that bring no title of their own.
QString applicationTitle();
