#include "LauncherList.h"

#include "Fonts.h"
#include "Placement.h"
#include "platform/PopupMenus.h"
#include "platform/qt/QtText.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

QPushButton* makeWindowButton(QWidget* window, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, window);
    button->setObjectName(QLatin1String(name));
    button->setFont(uiFont(9));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

LauncherList::LauncherList(QWidget* window, const Twips& twips, Services& services, PopupMenus& menus)
    : QObject(window)
    , menus_(menus)
    , presenter_(*this, services)
{
    list_ = new QListWidget(window);
    list_->setObjectName(QStringLiteral("itemList"));
    list_->setFont(uiFont(10.5));
    list_->viewport()->installEventFilter(this);
    list_->viewport()->setMouseTracking(true);
    placeByTwips(list_, twips, 240, 600, 2775, 3810);

    startButton_ = makeWindowButton(window, "startButton", QStringLiteral("启动"));
    deleteButton_ = makeWindowButton(window, "deleteButton", QStringLiteral("删除"));
    addButton_ = makeWindowButton(window, "addButton", QStringLiteral("添加"));
    clearButton_ = makeWindowButton(window, "clearButton", QStringLiteral("清空"));
    int row = 0;
    for (QPushButton* button : {startButton_, deleteButton_, addButton_, clearButton_})
        placeByTwips(button, twips, 3240, 600 + 600 * row++, 975, 375);

    createMenu();
    connect(startButton_, &QPushButton::clicked, this, [this] { presenter_.startSelected(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { presenter_.deleteSelected(); });
    connect(clearButton_, &QPushButton::clicked, this, [this] { presenter_.clearAll(); });
    connect(list_, &QListWidget::itemClicked, this, [this] { presenter_.entryChosen(); });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { presenter_.entryChosen(); });
}

void LauncherList::createMenu()
{
    menu_.setTitle(QStringLiteral("主菜单"));
    QAction* start = menu_.addAction(QStringLiteral("启动"));
    QAction* folder = menu_.addAction(QStringLiteral("文件目录"));
    shortcutMenu_.setTitle(QStringLiteral("快捷方式"));
    menu_.addMenu(&shortcutMenu_);
    QAction* onDesktop = shortcutMenu_.addAction(QStringLiteral("在桌面"));
    QAction* inStartMenu = shortcutMenu_.addAction(QStringLiteral("在开始菜单"));
    QAction* inQuickLaunch = shortcutMenu_.addAction(QStringLiteral("在快速启动"));
    addAction_ = menu_.addAction(QStringLiteral("添加"));
    QAction* remove = menu_.addAction(QStringLiteral("删除"));
    QAction* clear = menu_.addAction(QStringLiteral("清空"));
    for (QMenu* menu : {&menu_, &shortcutMenu_})
        menu->setFont(uiFont(9));

    connect(start, &QAction::triggered, this, [this] { presenter_.startSelected(); });
    connect(folder, &QAction::triggered, this, [this] { presenter_.openSelectedFolder(); });
    connect(onDesktop, &QAction::triggered, this, [this] { presenter_.placeShortcut(Place::Desktop); });
    connect(inStartMenu, &QAction::triggered, this, [this] { presenter_.placeShortcut(Place::StartMenu); });
    connect(inQuickLaunch, &QAction::triggered, this, [this] { presenter_.placeShortcut(Place::QuickLaunch); });
    connect(remove, &QAction::triggered, this, [this] { presenter_.deleteSelected(); });
    connect(clear, &QAction::triggered, this, [this] { presenter_.clearAll(); });
}

bool LauncherList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_->viewport())
        return QObject::eventFilter(watched, event);
    const auto mouse = [event] { return static_cast<const QMouseEvent*>(event); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The menu acts on the entry that was current before the press.
        if (mouse()->button() == Qt::RightButton) {
            menus_.popup(menu_, menus_.pointerPosition());
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
