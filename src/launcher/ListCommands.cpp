// The main window's launcher list: adding, deleting and clearing items.
// Each command writes the profile in one replace before it ends; the list
// on screen changes only when the profile took the change.

#include "core/launcher/ItemText.h"
#include "core/launcher/ListEdits.h"
#include "core/launcher/ListOrder.h"
#include "app/Form2.h"
#include "core/launcher/ListIndex.h"
#include "core/window/TitleText.h"
#include "core/profile/Profile.h"
#include "app/QtText.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kNotice = QStringLiteral("提示");
}

void Form2::connectListCommands()
{
    connect(Command6, &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(shanchu, &QAction::triggered, this, &Form2::Command6_Click);
    connect(Command8, &QPushButton::clicked, this, &Form2::Command8_Click);
    connect(qingkong, &QAction::triggered, this, &Form2::Command8_Click);
    connect(List1, &QListWidget::itemClicked, this, &Form2::List1_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form2::List1_Click);

    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(qidong, &QAction::triggered, this, &Form2::Command5_Click);
    connect(wenjianmulu, &QAction::triggered, this, &Form2::wenjianmulu_Click);
    connect(zaizhuomian, &QAction::triggered, this, [this] { PlaceShortcut(Launcher::Place::Desktop); });
    connect(zaikaishicaidan, &QAction::triggered, this, [this] { PlaceShortcut(Launcher::Place::StartMenu); });
    connect(zaikuaisuqidong, &QAction::triggered, this, [this] { PlaceShortcut(Launcher::Place::QuickLaunch); });
}

QString Form2::profileFile() const
{
    return toQt(profilePath(toStd(platform_.appFolder.path())));
}

QString Form2::currentText() const
{
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QStringList Form2::listEntries() const
{
    QStringList entries;
    entries.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i)
        entries.append(List1->item(i)->text());
    return entries;
}

void Form2::renewTitleStrip()
{
    tipRow_ = -1;  // entries may have moved under the pointer
    setTitleStrip(toQt(titleText(std::size_t(List1->count()))));
}

void Form2::Command1_Click()
{
    const std::optional<QString> chosen = platform_.fileDialogs.chooseProgram(this);
    if (!chosen)
        return;
    addPanel().Text1->setText(*chosen);
    addPanel().Text2->setText(platform_.files.fileNameOf(*chosen));
}

void Form2::Command2_Click()
{
    AddPanel& panel = addPanel();
    const QString path = panel.Text1->text();
    const QString name = panel.Text2->text();
    if (const std::optional<std::string> refusal = refusalOfNewItem(toStd(path), toStd(name), platform_.codePage)) {
        platform_.messages.inform(this, kNotice, toQt(*refusal));
    } else {
        const std::string entry = displayTextOf(toStd(name));
        std::vector<std::string> entries = toStd(listEntries());
        const std::size_t at = ListOrder(platform_.collation).insertPosition(entries, entry);
        entries.insert(entries.begin() + std::ptrdiff_t(at), entry);

        ProfileEdit edit(profileAccess(), toStd(profileFile()));
        edit.WriteINI(entry, std::string(kFilenameKey), toStd(path));
        writeListIndex(edit, entries);
        if (commitProfile(edit)) {
            List1->insertItem(int(at), toQt(entry));
            panel.Text1->clear();
            panel.Text2->clear();
        }
    }
    renewTitleStrip();
}

void Form2::Command6_Click()
{
    if (currentText().isEmpty()) {
        platform_.messages.inform(this, kNotice, QStringLiteral("请选择要删除的项目!"));
    } else if (List1->count() > 0
               && platform_.messages.confirm(this, toQt(applicationTitle()), QStringLiteral("确定删除吗？"))) {
        const int row = List1->row(List1->selectedItems().first());
        std::vector<std::string> entries = toStd(listEntries());
        entries.erase(entries.begin() + row);
        ProfileEdit edit(profileAccess(), toStd(profileFile()));
        writeListIndex(edit, entries);
        if (commitProfile(edit))
            delete List1->takeItem(row);
    }
    renewTitleStrip();
}

void Form2::Command8_Click()
{
    if (List1->count() > 0 && platform_.messages.confirm(this, toQt(applicationTitle()), QStringLiteral("确定全部删除吗？"))) {
        ProfileEdit edit(profileAccess(), toStd(profileFile()));
        edit.WriteINI(kTitleSection, kCountKey, "0");
        if (commitProfile(edit))
            List1->clear();
    }
    renewTitleStrip();
}

// A list click names the item for the timer panel's run-program action,
// unless a running schedule has locked the item box.
void Form2::List1_Click()
{
    if (!timerPanel_ || currentText().isEmpty())
        return;
    if (timerPanel_->Option7->isChecked() && !timerPanel_->Text7->isReadOnly())
        timerPanel_->Text7->setText(toQt(itemNameOf(toStd(currentText()))));
}
