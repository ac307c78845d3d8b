#include "FormBuilder.h"

#include "Fonts.h"
#include "MouseLabel.h"
#include "core/window/Twips.h"
#include "platform/qt/QtText.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>

QWidget* FormControls::widget(std::string_view id) const
{
    for (const auto& [name, control] : controls_)
        if (name == id)
            return control;
    return nullptr;
}

QFont fontOf(const FontSpec& font)
{
    QFont made = font.face == FontFace::YouYuan ? roundFont(font.points) : uiFont(font.points);
    made.setBold(font.bold);
    return made;
}

namespace {

Qt::Alignment alignmentOf(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Centre: return Qt::AlignCenter;
    case Alignment::Right: return Qt::AlignVCenter | Qt::AlignRight;
    case Alignment::Left: break;
    }
    return Qt::AlignVCenter | Qt::AlignLeft;
}

QWidget* make(const ControlSpec& spec, QWidget* parent)
{
    const QString caption = toQt(spec.caption);
    switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::Picture: {
        auto* label = new MouseLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignmentOf(spec.alignment));
        return label;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setDefault(spec.defaultButton);
        button->setAutoDefault(spec.defaultButton);
        return button;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(parent);
        if (spec.passwordChar)
            box->setEchoMode(QLineEdit::Password);
        if (spec.inputMethodOff)
            box->setAttribute(Qt::WA_InputMethodEnabled, false);
        box->setReadOnly(spec.readOnly);
        return box;
    }
    case ControlKind::Option:
        return new QRadioButton(caption, parent);
    case ControlKind::Frame:
        if (spec.framed)
            return new QGroupBox(caption, parent);
        return new QWidget(parent);
    case ControlKind::List:
        return new QListWidget(parent);
    }
    return new QWidget(parent);
}

// A width or height of 0 takes the size the control's caption needs.
void place(QWidget* widget, const TwipRect& rect, const Twips& twips)
{
    if (rect.width == 0 || rect.height == 0)
        widget->adjustSize();
    const int width = rect.width ? twips.toPixels(rect.width) : widget->sizeHint().width();
    const int height = rect.height ? twips.toPixels(rect.height) : widget->sizeHint().height();
    widget->setGeometry(twips.toPixels(rect.left), twips.toPixels(rect.top), width, height);
}

}  // namespace

QString cssColour(Rgb colour)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(colour >> 16 & 0xFF).arg(colour >> 8 & 0xFF).arg(colour & 0xFF);
}

FormControls buildControls(const FormSpec& form, QWidget* parent, const Twips& twips)
{
    FormControls controls;
    std::map<std::string_view, QButtonGroup*> groups;
    std::vector<std::pair<int, QWidget*>> keyboardOrder;
    for (const ControlSpec& spec : form.controls) {
        QWidget* container = spec.parent.empty() ? parent : controls.widget(spec.parent);
        QWidget* widget = make(spec, container);
        widget->setObjectName(toQt(spec.id));
        widget->setFont(fontOf(spec.font));
        place(widget, spec.place, twips);
        widget->show();  // the parent may be on screen already
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            QButtonGroup*& group = groups[spec.parent];
            if (!group)
                group = new QButtonGroup(container);
            group->addButton(option);
            option->setChecked(spec.selected);
        }
        if (spec.tabIndex >= 0)
            keyboardOrder.emplace_back(spec.tabIndex, widget);
        controls.add(spec.id, widget);
    }
    std::stable_sort(keyboardOrder.begin(), keyboardOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < keyboardOrder.size(); ++i)
        QWidget::setTabOrder(keyboardOrder[i - 1].second, keyboardOrder[i].second);
    return controls;
}

void applyForm(QWidget* window, const FormSpec& form, const Twips& twips)
{
    window->setObjectName(toQt(form.id));
    if (!form.caption.empty())
        window->setWindowTitle(toQt(form.caption));
    if (form.widthTwips > 0 && form.heightTwips > 0)
        window->setFixedSize(twips.toPixels(form.widthTwips), twips.toPixels(form.heightTwips));
    if (form.backColour) {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, QColor(QRgb(*form.backColour)));
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    }
}

QString colourRules(std::initializer_list<const FormSpec*> forms)
{
    QString rules;
    for (const FormSpec* form : forms) {
        for (const ControlSpec& spec : form->controls) {
            QString rule;
            if (spec.textColour)
                rule += QStringLiteral(" color: %1;").arg(cssColour(*spec.textColour));
            if (spec.backColour)
                rule += QStringLiteral(" background: %1;").arg(cssColour(*spec.backColour));
            else if (spec.transparent)
                rule += QStringLiteral(" background: transparent;");
            if (spec.passwordChar)
                rule += QStringLiteral(" lineedit-password-character: %1;").arg(int(spec.passwordChar));
            if (!rule.isEmpty())
                rules += QStringLiteral("#%1 {%2 }").arg(toQt(spec.id), rule);
        }
    }
    return rules;
}
