#include "Schedule.h"

#include <limits>

int boxNumber(const QString& text)
{
    long long value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<long long>(value * 10 + (c.unicode() - u'0'), std::numeric_limits<int>::max());
    }
    return int(value);
}

bool keptInTimeBox(int key, const QString& text)
{
    if (text.isEmpty() || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return true;
    if (text.size() != 1)
        return false;
    const QChar c = text.front();
    return c == u'\b' || (c >= u'0' && c <= u'9');
}

std::optional<QString> rangeNotice(const QString& text, int highest)
{
    if (boxNumber(text) <= highest)
        return std::nullopt;
    return QStringLiteral("范围：[0,%1]").arg(highest);
}

bool clockTimeDue(const QTime& now, const QString& hourText, const QString& minuteText)
{
    return now.hour() == boxNumber(hourText) && now.minute() == boxNumber(minuteText);
}

CountdownStep countDown(const QString& minutesText)
{
    const int left = boxNumber(minutesText) - 1;
    return {QString::number(left), left == 0};
}
