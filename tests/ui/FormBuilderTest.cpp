#include "core/window/Twips.h"
#include "ui/qt/FormBuilder.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

constexpr ControlSpec kControls[] = {
    {.id = "frame", .kind = ControlKind::Frame, .place = {150, 150, 1500, 1500}, .framed = true},
    {.id = "first", .kind = ControlKind::Option, .caption = "甲", .place = {0, 0, 600, 300}, .tabIndex = 3,
     .parent = "frame"},
    {.id = "second", .kind = ControlKind::Option, .caption = "乙", .place = {0, 300, 600, 300}, .tabIndex = 2,
     .selected = true, .parent = "frame"},
    {.id = "secret", .kind = ControlKind::TextBox, .place = {1800, 0, 900, 300}, .backColour = 0xE0E0E0,
     .tabIndex = 1, .passwordChar = '*', .inputMethodOff = true},
    {.id = "go", .kind = ControlKind::Button, .caption = "走", .place = {1800, 450, 900, 375}, .tabIndex = 0,
     .defaultButton = true},
    {.id = "caption", .caption = "a caption", .place = {1800, 900}, .font = {.face = FontFace::YouYuan, .points = 12},
     .textColour = 0x0000FF, .alignment = Alignment::Centre},
    {.id = "list", .kind = ControlKind::List, .place = {0, 1800, 3000, 750}},
};
constexpr FormSpec kForm{.id = "testForm", .caption = "窗口", .widthTwips = 3000, .heightTwips = 3000,
                         .controls = kControls};

TEST(FormBuilder, MakesEachKindAtItsPlaceWithItsKeyboardOrderGroupsAndColours)
{
    QWidget window;
    const Twips twips(15);
    applyForm(&window, kForm, twips);
    const FormControls made = buildControls(kForm, &window, twips);

    EXPECT_EQ(window.objectName(), "testForm");
    EXPECT_EQ(window.windowTitle(), "窗口");
    EXPECT_EQ(window.size(), QSize(200, 200));

    const struct {
        const char* id;
        const char* className;
        QWidget* parent;
        QRect place;  // an empty size: sized to the caption
    } cases[] = {
        {"frame", "QGroupBox", &window, {10, 10, 100, 100}},
        {"first", "QRadioButton", made.widget("frame"), {0, 0, 40, 20}},
        {"secret", "QLineEdit", &window, {120, 0, 60, 20}},
        {"go", "QPushButton", &window, {120, 30, 60, 25}},
        {"caption", "MouseLabel", &window, {120, 60, 0, 0}},
        {"list", "QListWidget", &window, {0, 120, 200, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        QWidget* widget = made.widget(c.id);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), c.className);
        EXPECT_EQ(widget->objectName(), c.id);
        EXPECT_EQ(widget->parentWidget(), c.parent);
        EXPECT_EQ(widget->pos(), c.place.topLeft());
        if (!c.place.size().isEmpty())
            EXPECT_EQ(widget->size(), c.place.size());
        else
            EXPECT_EQ(widget->size(), widget->sizeHint());
    }
    EXPECT_EQ(made.widget("none"), nullptr);

    // The keyboard goes by tab index, whatever the table's order.
    EXPECT_EQ(made.widget("go")->nextInFocusChain(), made.widget("secret"));
    EXPECT_EQ(made.widget("secret")->nextInFocusChain(), made.widget("second"));
    EXPECT_EQ(made.widget("second")->nextInFocusChain(), made.widget("first"));

    auto* first = made.get<QRadioButton>("first");
    auto* second = made.get<QRadioButton>("second");
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(first->isChecked());
    ASSERT_NE(first->group(), nullptr);
    EXPECT_EQ(first->group(), second->group());

    auto* secret = made.get<QLineEdit>("secret");
    EXPECT_EQ(secret->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(secret->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(made.get<QPushButton>("go")->isDefault());
    EXPECT_EQ(made.get<QLabel>("caption")->alignment(), Qt::AlignCenter);
    EXPECT_EQ(made.get<QLabel>("caption")->font().pointSizeF(), 12);

    EXPECT_EQ(colourRules({&kForm}),
              "#secret { background: rgb(224,224,224); lineedit-password-character: 42; }"
              "#caption { color: rgb(0,0,255); }");
}

}  // namespace
