#include "LauncherList.h"

#include "FormBuilder.h"
#include "core/launcher/LauncherForm.h"
#include "platform/PopupMenus.h"
#include "platform/qt/QtText.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

LauncherList::LauncherList(QWidget* window, const Twips& twips, Services& services, PopupMenus& menus)
    : QObject(window)
    , menus_(menus)
    , presenter_(*this, services)
{
    using namespace launcher_form;
    const FormControls controls = buildControls(kForm, window, twips);
    list_ = controls.get<QListWidget>(kList);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    list_->viewport()->setMouseTracking(true);
    startButton_ = controls.get<QPushButton>(kStart);
    deleteButton_ = controls.get<QPushButton>(kDelete);
    addButton_ = controls.get<QPushButton>(kAdd);
    clearButton_ = controls.get<QPushButton>(kClear);
    for (QPushButton* button : {startButton_, deleteButton_, addButton_, clearButton_})
        button->setFocusPolicy(Qt::TabFocus);

    connect(startButton_, &QPushButton::clicked, this, [this] { presenter_.startSelected(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { presenter_.deleteSelected(); });
    connect(addButton_, &QPushButton::clicked, this, [this] { presenter_.addChosen(); });
    connect(clearButton_, &QPushButton::clicked, this, [this] { presenter_.clearAll(); });
    connect(list_, &QListWidget::itemClicked, this, [this] { presenter_.entryChosen(); });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { presenter_.entryChosen(); });
}

bool LauncherList::eventFilter(QObject* watched, QEvent* event)
{
    // Letters go to the presenter's type-to-find instead of Qt's own search.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const QString text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && text.size() == 1 && text[0].unicode() < 0x80 && text[0].isLetter()) {
            presenter_.letterTyped(char(text[0].unicode()));
            return true;
        }
    }
    if (watched != list_->viewport())
        return QObject::eventFilter(watched, event);
    const auto mouse = [event] { return static_cast<const QMouseEvent*>(event); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The menu acts on the entry that was current before the press.
        if (mouse()->button() == Qt::RightButton) {
            presenter_.menuRequested();
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (mouse()->button() == Qt::LeftButton)
            presenter_.startSelectedAndClose();
        break;
    case QEvent::MouseMove:
        if (mouse()->buttons() == Qt::NoButton) {
            const int row = list_->indexAt(mouse()->position().toPoint()).row();
            presenter_.pointerOver(row < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(row)));
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void LauncherList::showEntries(const std::vector<std::string>& entries)
{
    list_->clear();
    list_->addItems(toQt(entries));
}

void LauncherList::insertEntry(std::size_t at, const std::string& entry)
{
    list_->insertItem(int(at), toQt(entry));
}

void LauncherList::removeEntry(std::size_t at)
{
    delete list_->takeItem(int(at));
}

void LauncherList::clearEntries()
{
    list_->clear();
}

void LauncherList::selectEntry(std::size_t at)
{
    list_->setCurrentRow(int(at));
}

std::optional<std::size_t> LauncherList::selectedEntry() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return std::size_t(list_->row(selected.first()));
}

void LauncherList::showTip(const std::string& tip)
{
    list_->setToolTip(toQt(tip));
}

std::optional<std::string> LauncherList::popupMenu(const MenuSpec& menu)
{
    return menus_.popup(menu, menus_.pointerPosition());
}
