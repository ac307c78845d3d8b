#include "StatusText.h"

#include <array>

QString GetWD(short Week)
{
    static const std::array<QString, 7> names{QStringLiteral("日"), QStringLiteral("一"), QStringLiteral("二"),
                                              QStringLiteral("三"), QStringLiteral("四"), QStringLiteral("五"),
                                              QStringLiteral("六")};
    if (Week < 1 || Week > 7)
        return {};
    return names[std::size_t(Week - 1)];
}

QString timeOfDay(const QTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QString dateLine(const QDateTime& local)
{
    const QDate date = local.date();
    // Qt counts Monday as 1 and Sunday as 7.
    const short week = short(date.dayOfWeek() % 7 + 1);
    return QStringLiteral("%1年%2月%3日 星期%4 €%5")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(GetWD(week), timeOfDay(local.time()));
}

QString upTimeText(std::uint64_t milliseconds)
{
    const std::uint64_t s = milliseconds / 1000;
    const std::uint64_t hours = s / 3600;
    const std::uint64_t minutes = (s - 3600 * hours) / 60;
    const std::uint64_t seconds = s - 3600 * hours - 60 * minutes;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

QString bootModeMessage(int bootMode)
{
    switch (bootMode) {
    case 1: return QStringLiteral("系统安全模式已运行");
    case 2: return QStringLiteral("系统网络安全模式已运行");
    default: return QStringLiteral("系统正常模式已运行");
    }
}
