#include "QtText.h"

std::vector<std::string> toStd(const QStringList& texts)
{
    std::vector<std::string> out;
    out.reserve(std::size_t(texts.size()));
    for (const QString& text : texts)
        out.push_back(text.toStdString());
    return out;
}

QStringList toQt(const std::vector<std::string>& texts)
{
    QStringList out;
    out.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts)
        out.append(toQt(text));
    return out;
}
