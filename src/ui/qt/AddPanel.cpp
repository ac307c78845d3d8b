#include "AddPanel.h"

#include "FormBuilder.h"
#include "core/launcher/LauncherForm.h"
#include "platform/qt/QtText.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

AddPanel::AddPanel(QFrame* frame, const Twips& twips, LauncherPresenter& list, Services& services)
    : presenter_(*this, list, services)
{
    using namespace add_panel_form;
    const FormControls controls = buildControls(kForm, frame, twips);
    pathBox_ = controls.get<QLineEdit>(kPath);
    nameBox_ = controls.get<QLineEdit>(kName);
    browseButton_ = controls.get<QPushButton>(kBrowse);
    cancelButton_ = controls.get<QPushButton>(kCancel);
    confirmButton_ = controls.get<QPushButton>(kConfirm);

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
