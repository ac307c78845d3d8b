// Launcher list benchmark: the list commands end to end in the main window,
// on lists of 1,000 and 10,000 items, and the load of the window.
//
// "find" is the find in the list over every entry for a query of letters
// that no entry holds or spells, so that each entry is tried by its text and
// by its pinyin; it ends with "查找完毕!".
//
// "add" and "delete" are the button commands as a person runs them: the
// sorted place is found, the item's section and the whole index are written
// in one edit, the file is replaced once (write, fsync, rename), and the
// list on screen changes. "load" makes the window from the profile (read,
// parse, sort, fill the list) and shows it, up to its first layout.
//
// The window runs headless with in-process stand-ins for the system's
// services; the profile lives in a real folder (the system temp folder, or
// --dir).
//
// Usage: ombrel_list_bench [--dir FOLDER] [--sizes N,N,...] [--repeat N]

#include "../tests/ui/FakePlatform.h"
#include "core/launcher/ItemText.h"
#include "core/profile/Profile.h"
#include "core/search/ListFind.h"
#include "platform/qt/QtText.h"
#include "ui/qt/AddPanel.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

// Names like people give them: Latin and Chinese words, with a number so
// that every name differs.
QString itemName(QRandomGenerator& random, int i)
{
    static const QStringList words{"记事本", "画图", "计算器", "浏览器", "Editor", "player", "Zip", "终端", "邮件", "tools"};
    return words[int(random.bounded(qsizetype(words.size())))] + QString::number(i);
}

void writeProfile(const QString& path, int items)
{
    QRandomGenerator random(7);
    QStringList entries;
    QString text;
    for (int i = 0; i < items; ++i) {
        const QString entry = toQt(displayTextOf(toStd(itemName(random, i))));
        entries << entry;
        text += QStringLiteral("[%1]\r\nFilename=/opt/apps/%2/bin/run\r\n").arg(entry).arg(i);
    }
    QString index = QStringLiteral("[标题]\r\nCount=%1\r\n").arg(items);
    for (int i = 0; i < items; ++i)
        index += QStringLiteral("%1=%2\r\n").arg(i, 3, 10, QLatin1Char('0')).arg(entries[i]);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray::fromStdString(coreServices().codePage->encode(toStd(index + text))));
}

void runSize(const QString& dir, int items, int repeat)
{
    QTemporaryDir folder(dir + QStringLiteral("/ombrel-list-bench-XXXXXX"));
    writeProfile(toQt(profilePath(toStd(folder.path()))), items);
    FakePlatform fakes(toStd(folder.path()));
    MainWindowState state;

    std::vector<double> loads;
    std::unique_ptr<MainWindow> window;
    for (int r = 0; r < std::max(3, repeat / 4); ++r) {
        window.reset();
        const auto start = Clock::now();
        window = std::make_unique<MainWindow>(fakes.platform, state);
        window->show();
        QApplication::processEvents();
        loads.push_back(msSince(start));
    }

    std::vector<double> adds;
    std::vector<double> deletes;
    fakes.core.messages.nextAnswer = true;
    window->frame().presenter().showPanel(Panel::AddItem);
    AddPanel& add = window->addPanel();
    LauncherPresenter& commands = window->launcherList().presenter();
    QListWidget* list = window->launcherList().list();
    for (int r = 0; r < repeat; ++r) {
        const QString name = QStringLiteral("画板%1").arg(r);
        add.pathBox()->setText(QStringLiteral("/usr/bin/draw"));
        add.nameBox()->setText(name);
        auto start = Clock::now();
        add.presenter().confirm();
        adds.push_back(msSince(start));

        list->setCurrentItem(list->findItems(toQt(displayTextOf(toStd(name))), Qt::MatchExactly).first());
        start = Clock::now();
        commands.deleteSelected();
        deletes.push_back(msSince(start));
    }
    std::vector<double> finds;
    for (int r = 0; r < repeat; ++r) {
        std::size_t findStart = 0;
        const auto start = Clock::now();
        const auto found = findNextEntry(commands.entries(), "jishibenq", findStart);
        finds.push_back(msSince(start));
        if (found)
            std::printf("  (unexpected: the find found entry %zu)\n", *found);
    }
    if (list->count() != items || fakes.core.messages.shown.size() != std::size_t(repeat))
        std::printf("  (unexpected: %d items, %zu messages)\n", list->count(), fakes.core.messages.shown.size());

    std::printf("%7d items  add %7.2f ms  delete %7.2f ms  load %7.1f ms  find %6.2f ms   (medians of %d, %d, %zu, %d runs)\n",
                items, median(adds), median(deletes), median(loads), median(finds), repeat, repeat, loads.size(), repeat);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString dir = QDir::tempPath();
    QList<int> sizes{1000, 10000};
    int repeat = 21;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
        else if (args[i] == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString& size : args[i + 1].split(QLatin1Char(',')))
                sizes << size.toInt();
        } else if (args[i] == QLatin1String("--repeat"))
            repeat = std::max(1, args[i + 1].toInt());
    }
    std::printf("launcher list commands (targets: add or delete on 1,000 items < 5 ms; 10,000-item load < 150 ms;"
                " find over 10,000 items < 5 ms)\n");
    for (int items : sizes)
        runSize(dir, items, repeat);
    return 0;
}
