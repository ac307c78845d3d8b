#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// The program's rules hold text as UTF-8; the widgets hold QString. These
// convert at the border between them.
inline std::string toStd(const QString& text)
{
    return text.toStdString();
}

inline QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::vector<std::string> toStd(const QStringList& texts);
QStringList toQt(const std::vector<std::string>& texts);
