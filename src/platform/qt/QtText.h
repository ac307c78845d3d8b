#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// The services' interfaces hold text as UTF-8; Qt holds QString. These
// convert at the border between them.
inline QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string toStd(const QString& text)
{
    return text.toStdString();
}

inline QStringList toQt(const std::vector<std::string>& texts)
{
    QStringList converted;
    converted.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts)
        converted.append(toQt(text));
    return converted;
}

inline std::vector<std::string> toStd(const QStringList& texts)
{
    std::vector<std::string> converted;
    converted.reserve(std::size_t(texts.size()));
    for (const QString& text : texts)
        converted.push_back(toStd(text));
    return converted;
}
