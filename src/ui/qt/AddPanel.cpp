#include "AddPanel.h"

#include "Fonts.h"
#include "Placement.h"
#include "platform/qt/QtText.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

AddPanel::AddPanel(QFrame* frame, const Twips& twips, LauncherPresenter& list, Services& services)
    : presenter_(*this, list, services)
{
    Placer at(frame, twips);
    at.label("pathLabel", QStringLiteral("路径："), 120, 240);
    pathBox_ = at.text("pathBox", 840, 240, 3015, 420);
    at.label("nameLabel", QStringLiteral("名称："), 120, 720);
    nameBox_ = at.text("nameBox", 840, 720, 3015, 420);
    for (QLineEdit* box : {pathBox_, nameBox_})
        box->setFont(uiFont(10.5));
    browseButton_ = at.button("browseButton", QStringLiteral("浏览"), 1440, 1320, 735);
    cancelButton_ = at.button("cancelButton", QStringLiteral("取消"), 2280, 1320, 735);
    confirmButton_ = at.button("confirmButton", QStringLiteral("确定"), 3120, 1320, 735);

    QObject::connect(browseButton_, &QPushButton::clicked, frame, [this] { presenter_.browse(); });
    QObject::connect(cancelButton_, &QPushButton::clicked, frame, [this] { presenter_.cancel(); });
    QObject::connect(confirmButton_, &QPushButton::clicked, frame, [this] { presenter_.confirm(); });
}

std::string AddPanel::pathText() const
{
    return toStd(pathBox_->text());
}

std::string AddPanel::nameText() const
{
    return toStd(nameBox_->text());
}

void AddPanel::setPathText(const std::string& text)
{
    pathBox_->setText(toQt(text));
}

void AddPanel::setNameText(const std::string& text)
{
    nameBox_->setText(toQt(text));
}
