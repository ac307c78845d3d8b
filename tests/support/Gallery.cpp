// Renders the windows that only show after a wait (the timer panel, the
// alarm notice, the countdown notice) to PNG files, headless and with stand-in
// services, so that they can be looked at.
//
// Usage: ombrel_gallery FOLDER

#include "../form/Fakes.h"
#include "app/Form2.h"
#include "scheduler/Form4.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void save(QWidget& widget, const QString& file)
{
    QApplication::processEvents();
    if (!widget.grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    else
        std::printf("wrote %s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ombrel_gallery FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir appFolder;
    FakePlatform fakes(appFolder.path());
    Form2Memory memory;
    {
        Form2 window(fakes.platform, memory);
        window.show();
        window.ShowPanel(3);
        while (window.Timer1->isActive())
            window.Timer1_Timer();
        TimerPanel& panel = window.timerPanel();
        panel.Option2->click();
        panel.Text6->setText(QStringLiteral("1"));
        window.Timer2_Timer();
        save(window, out + QStringLiteral("/timer-panel.png"));

        panel.Command3->click();
        save(window, out + QStringLiteral("/timer-panel-running.png"));
        window.Timer3_Timer();
        memory.notices.form4()->Timer2_Timer();
        save(*memory.notices.form4(), out + QStringLiteral("/alarm-notice.png"));
        memory.notices.form4()->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        panel.Option3->click();
        panel.Text6->setText(QStringLiteral("1"));
        panel.Command3->click();
        window.Timer3_Timer();
        for (int i = 0; i < 3; ++i)
            memory.notices.form4()->Timer1_Timer();
        save(*memory.notices.form4(), out + QStringLiteral("/countdown-notice.png"));
        memory.notices.form4()->Command3->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return 0;
}
