// Rings through CanberraSound the way the alarm notice does, for the sound tests.
//   ombrel_ring_probe <file> [count] [interval ms] [linger ms]
//     calls playRing <count> times, <interval> ms apart (0: back to back);
//   ombrel_ring_probe <file> --each-line [linger ms]
//     calls it once for each line read from standard input, until its end.
// Prints each result and how long the call took, keeps the sound playing for
// <linger> ms after the last call, then exits 1 if any call failed.
#include "platform/linux/CanberraSound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool eachLine = args.size() > 2 && args[2] == QLatin1String("--each-line");
    if (args.size() < 2 || args.size() > (eachLine ? 4 : 5)) {
        std::fprintf(stderr, "usage: %s <file> [count] [interval ms] [linger ms]\n"
                             "       %s <file> --each-line [linger ms]\n", argv[0], argv[0]);
        return 2;
    }
    const QString file = args[1];
    const int count = !eachLine && args.size() > 2 ? qMax(1, args[2].toInt()) : 4;
    const int interval = !eachLine && args.size() > 3 ? args[3].toInt() : 500;
    const int lingerArg = eachLine ? 3 : 4;
    const int linger = args.size() > lingerArg ? args[lingerArg].toInt() : 1500;

    CanberraSound sound;
    int rung = 0;
    bool failed = false;
    const auto ring = [&] {
        QElapsedTimer took;
        took.start();
        const Result result = sound.playRing(file.toStdString());
        ++rung;
        std::printf("ring %d: %s (%lld ms)\n", rung, result.ok() ? "ok" : ("failed: " + result.reason).c_str(),
                    static_cast<long long>(took.elapsed()));
        std::fflush(stdout);
        failed = failed || !result.ok();
    };
    const auto finish = [&] { QTimer::singleShot(linger, &app, [&] { app.exit(failed ? 1 : 0); }); };

    QTimer timer;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(eachLine);
    if (eachLine) {
        QObject::connect(&input, &QSocketNotifier::activated, [&] {
            char bytes[256];
            const ssize_t got = ::read(STDIN_FILENO, bytes, sizeof bytes);
            if (got <= 0) {
                input.setEnabled(false);
                finish();
                return;
            }
            for (ssize_t i = 0; i < got; ++i) {
                if (bytes[i] == '\n')
                    ring();
            }
        });
    } else {
        const auto tick = [&] {
            ring();
            if (rung == count) {
                timer.stop();
                finish();
            }
        };
        timer.setInterval(interval);
        QObject::connect(&timer, &QTimer::timeout, tick);
        // The first ring goes at once, as the notice's first flash does.
        QTimer::singleShot(0, &app, [&] {
            timer.start();
            tick();
        });
    }
    return app.exec();
}
