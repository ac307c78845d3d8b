#include "DialogFrame.h"

#include "Fonts.h"
#include "MouseLabel.h"
#include "Placement.h"

#include <QWidget>

void centreOnScreen(QWidget* window, const QRect& screen)
{
    window->move(screen.x() + (screen.width() - window->width()) / 2,
                 screen.y() + (screen.height() - window->height()) / 2);
}

void makeGreyDialogFrame(QWidget* window, const Twips& twips, int widthTwips, int heightTwips,
                                 const QString& title, DragHandle& drag)
{
    QPalette grey = window->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    window->setPalette(grey);
    window->setAutoFillBackground(true);
    window->setFixedSize(twips.toPixels(widthTwips), twips.toPixels(heightTwips));

    auto* body = new MouseLabel(window);
    body->setObjectName(QStringLiteral("body"));
    placeByTwips(body, twips, 50, 450, widthTwips - 100, heightTwips - 500);

    auto* strip = new MouseLabel(title, window);
    strip->setObjectName(QStringLiteral("title"));
    strip->setAlignment(Qt::AlignCenter);
    strip->setTextFormat(Qt::PlainText);
    strip->setFont(uiFont(12));
    placeByTwips(strip, twips, 50, 50, widthTwips - 100, 350);

    for (MouseLabel* handle : {strip, body})
        dragWindowBy(handle, window, drag);
}
