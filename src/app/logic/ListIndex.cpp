#include "ListIndex.h"

#include "LeadingNumber.h"
#include "profile/Profile.h"

#include <cmath>

const QString kTitleSection = QStringLiteral("标题");
const QString kCountKey = QStringLiteral("Count");

QString listKey(qsizetype position)
{
    QString key = QString::number(position);
    if (key.size() < 3)
        key.prepend(QString(3 - key.size(), QLatin1Char('0')));
    return key;
}

qsizetype listCount(const QString& countText)
{
    // Entries are read for i = 0, 1, ... while i <= v - 1, which is floor(v)
    // entries. The count is a 16-bit number; a larger one in a damaged file
    // must not make the load run (nearly) for ever.
    constexpr double kMaxCount = 32767;
    const double v = leadingNumber(countText);
    if (!(v > 0))
        return 0;
    return static_cast<qsizetype>(std::floor(std::min(v, kMaxCount)));
}

QStringList readListIndex(const ProfileSnapshot& profile)
{
    const qsizetype count = listCount(profile.GetINI(kTitleSection, kCountKey));
    QStringList entries;
    entries.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        entries.append(profile.GetINI(kTitleSection, listKey(i)));
    return entries;
}
