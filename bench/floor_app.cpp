// The floor for the start-up benchmark: the least a Qt Widgets program with
// the same visible parts can do. One frameless window of the main window's
// size holding a 20-item list, and a tray icon. No profile, no styles, no
// fonts, no menus.

#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Ombrel floor"));
    window.resize(305, 442);  // the main window's size at 15 twips per pixel

    auto* list = new QListWidget(&window);
    for (int i = 0; i < 20; ++i)
        list->addItem(QStringLiteral("● 程序 %1").arg(i));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(list);

    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.setToolTip(QStringLiteral("Ombrel floor"));
    tray.show();

    window.show();
    return app.exec();
}
