#include "IniDocument.h"

#include "AnsiCodec.h"

namespace {

const QByteArray kCrLf = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

QByteArray trimmed(const QByteArray& bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.mid(begin, end - begin);
}

// Names compare without regard to blanks around them and to the case of
// Latin letters. The second byte of a double-byte character may look like a
// letter and is left alone, so two different Chinese characters never match.
QByteArray folded(const QByteArray& name)
{
    QByteArray out = trimmed(name);
    for (qsizetype i = 0; i < out.size();) {
        const int len = ansi::charLength(out, i);
        if (len == 1 && out[i] >= 'A' && out[i] <= 'Z')
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
        i += len;
    }
    return out;
}

QByteArray unquoted(const QByteArray& value)
{
    QByteArray v = trimmed(value);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return v.mid(1, v.size() - 2);
    return v;
}

// Returns the section name of a "[name]" line, or nothing for other lines.
std::optional<QByteArray> sectionName(const QByteArray& line)
{
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i >= line.size() || line[i] != '[')
        return std::nullopt;
    const qsizetype close = line.lastIndexOf(']');
    if (close <= i)
        return line.mid(i + 1);
    return line.mid(i + 1, close - i - 1);
}

}  // namespace

IniDocument IniDocument::parse(const QByteArray& bytes)
{
    IniDocument doc;
    doc.sections_.emplace_back();
    const qsizetype size = bytes.size();
    qsizetype pos = 0;
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < size && bytes[next] == '\r') {
            ++next;
            if (next < size && bytes[next] == '\n')
                ++next;
        } else if (next < size) {
            ++next;
        }
        Line line{bytes.mid(pos, end - pos), bytes.mid(end, next - end)};
        pos = next;

        if (auto name = sectionName(line.text)) {
            doc.sections_.emplace_back().lines.push_back(std::move(line));
            const QByteArray key = folded(*name);
            if (!doc.sectionIndex_.contains(key))
                doc.sectionIndex_.insert(key, qsizetype(doc.sections_.size() - 1));
            continue;
        }
        Section& section = doc.sections_.back();
        section.lines.push_back(std::move(line));
        const QByteArray& text = section.lines.back().text;
        const qsizetype eq = text.indexOf('=');
        if (doc.sections_.size() > 1 && eq >= 0) {
            const qsizetype lineIndex = qsizetype(section.lines.size() - 1);
            const QByteArray key = folded(text.left(eq));
            if (!section.keys.contains(key))
                section.keys.insert(key, lineIndex);
            section.lastKeyLine = lineIndex;
        }
    }
    return doc;
}

std::optional<QByteArray> IniDocument::value(const QByteArray& section, const QByteArray& key) const
{
    const auto s = sectionIndex_.constFind(folded(section));
    if (s == sectionIndex_.constEnd())
        return std::nullopt;
    const Section& sec = sections_[*s];
    const auto k = sec.keys.constFind(folded(key));
    if (k == sec.keys.constEnd())
        return std::nullopt;
    const QByteArray& text = sec.lines[*k].text;
    return unquoted(text.mid(text.indexOf('=') + 1));
}

QByteArray IniDocument::storedForm(const QByteArray& value)
{
    if (value.isEmpty())
        return value;
    const bool changesOnRead = isBlank(value.front()) || isBlank(value.back())
                               || value.front() == '"' || value.back() == '"';
    return changesOnRead ? '"' + value + '"' : value;
}

void IniDocument::setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value)
{
    Line line{key + '=' + storedForm(value), kCrLf};
    const QByteArray foldedKey = folded(key);

    const auto s = sectionIndex_.constFind(folded(section));
    if (s == sectionIndex_.constEnd()) {
        ensureLastLineEnds();
        Section& sec = appendSection('[' + section + ']');
        sec.lines.push_back(std::move(line));
        sec.keys.insert(foldedKey, 1);
        sec.lastKeyLine = 1;
        sectionIndex_.insert(folded(section), qsizetype(sections_.size() - 1));
        return;
    }

    Section& sec = sections_[*s];
    const auto k = sec.keys.constFind(foldedKey);
    if (k != sec.keys.constEnd()) {
        sec.lines[*k].text = std::move(line.text);
        return;
    }
    // Every key line is at or before lastKeyLine, so inserting after it
    // moves no key and the key index stays valid.
    Line& previous = sec.lines[sec.lastKeyLine];
    if (previous.eol.isEmpty())
        previous.eol = kCrLf;
    const qsizetype at = sec.lastKeyLine + 1;
    sec.lines.insert(sec.lines.begin() + at, std::move(line));
    sec.keys.insert(foldedKey, at);
    sec.lastKeyLine = at;
}

QByteArray IniDocument::serialize() const
{
    qsizetype size = 0;
    for (const Section& sec : sections_)
        for (const Line& line : sec.lines)
            size += line.text.size() + line.eol.size();
    QByteArray out;
    out.reserve(size);
    for (const Section& sec : sections_)
        for (const Line& line : sec.lines)
            out.append(line.text).append(line.eol);
    return out;
}

IniDocument::Section& IniDocument::appendSection(const QByteArray& header)
{
    Section& sec = sections_.emplace_back();
    sec.lines.push_back(Line{header, kCrLf});
    return sec;
}

void IniDocument::ensureLastLineEnds()
{
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        if (s->lines.empty())
            continue;
        if (s->lines.back().eol.isEmpty())
            s->lines.back().eol = kCrLf;
        return;
    }
}
