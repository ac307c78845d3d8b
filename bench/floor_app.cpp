// The floor for the start-up benchmark: the least a Qt Widgets program with
// the same visible parts can do. One frameless window of the main window's
// size holding a 20-item list, and a tray icon. No profile, no styles, no
// fonts, no menus.
//
// With --tick it also sets a label to the time of day every 500 ms: the floor
// for the idle cost of a window whose clock ticks. With --tick-status it sets
// two labels instead, with texts as long as the status area's (the date line
// and the up-time line) in a 12-point Chinese font: the same text drawing,
// without the rest of the program.

#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
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

    QLabel clock;
    QLabel upTime;
    QTimer tick;
    if (app.arguments().contains(QStringLiteral("--tick"))) {
        layout->addWidget(&clock);
        QObject::connect(&tick, &QTimer::timeout, &clock,
                         [&clock] { clock.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); });
        tick.start(500);
    } else if (app.arguments().contains(QStringLiteral("--tick-status"))) {
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPointSize(12);
        for (QLabel* label : {&clock, &upTime}) {
            label->setFont(font);
            layout->addWidget(label);
        }
        QObject::connect(&tick, &QTimer::timeout, &clock, [&clock, &upTime] {
            const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
            clock.setText(QStringLiteral(" 2026年12月8日 星期二 €") + time);
            upTime.setText(QStringLiteral("系统正常模式已运行") + time);
        });
        tick.start(500);
    }

    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.setToolTip(QStringLiteral("Ombrel floor"));
    tray.show();

    window.show();
    return app.exec();
}
