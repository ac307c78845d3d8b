#pragma once

#include <QStringList>

class ProfileSnapshot;

// The list index lives in section "标题": "Count" entries under the keys
// "000", "001", ... A missing key gives an empty entry.

// Key of list position i: decimal, zero-padded to at least three digits.
QString listKey(qsizetype position);

// The number of entries that "Count" asks for: its leading number, no fewer
// than 0 and no more than a 16-bit count can hold.
qsizetype listCount(const QString& countText);

QStringList readListIndex(const ProfileSnapshot& profile);

extern const QString kTitleSection;
extern const QString kCountKey;
