#include "Placement.h"

#include "Fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void placeByTwips(QWidget* widget, const Twips& twips, int left, int top, int width, int height)
{
    widget->setGeometry(twips.toPixels(left), twips.toPixels(top), twips.toPixels(width), twips.toPixels(height));
}

void Placer::addWidget(QWidget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setFont(uiFont(9));
    widget->adjustSize();
    const int w = width > 0 ? twips_.toPixels(width) : widget->sizeHint().width();
    widget->setGeometry(twips_.toPixels(left), twips_.toPixels(top), w, twips_.toPixels(height));
    widget->show();  // the panel may be on screen already
}

QLabel* Placer::label(const char* name, const QString& caption, int left, int top)
{
    auto* l = add(new QLabel(caption, parent_), name, left, top);
    l->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton* Placer::button(const char* name, const QString& caption, int left, int top, int width)
{
    return add(new QPushButton(caption, parent_), name, left, top, width);
}

QLineEdit* Placer::text(const char* name, int left, int top, int width, int height)
{
    return add(new QLineEdit(parent_), name, left, top, width, height);
}

QRadioButton* Placer::option(const char* name, const QString& caption, int left, int top)
{
    return add(new QRadioButton(caption, parent_), name, left, top);
}
