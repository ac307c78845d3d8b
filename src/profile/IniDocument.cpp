#include "IniDocument.h"

#include "AnsiCodec.h"

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin);
}

// Names compare without regard to blanks around them and to the case of
// Latin letters. The second byte of a double-byte character may look like a
// letter and is left alone, so two different Chinese characters never match.
// A name that needs no change is returned as a view of the caller's bytes,
// which must outlive the result.
QByteArray folded(QByteArrayView name)
{
    const QByteArrayView core = trimmed(name);
    const QByteArray view = QByteArray::fromRawData(core.data(), core.size());
    if (std::none_of(core.begin(), core.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        return view;
    QByteArray out;
    for (qsizetype i = 0; i < view.size();) {
        const int len = ansi::charLength(view, i);
        if (len == 1 && view[i] >= 'A' && view[i] <= 'Z') {
            if (out.isNull())
                out = QByteArray(core.data(), core.size());
            out[i] = static_cast<char>(view[i] - 'A' + 'a');
        }
        i += len;
    }
    return out.isNull() ? view : out;
}

QByteArray owned(const QByteArray& maybeView)
{
    return QByteArray(maybeView.constData(), maybeView.size());
}

QByteArray unquoted(QByteArrayView value)
{
    QByteArrayView v = trimmed(value);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.sliced(1, v.size() - 2);
    return v.toByteArray();
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i >= line.size() || line[i] != '[')
        return std::nullopt;
    const qsizetype close = line.lastIndexOf(']');
    if (close <= i)
        return line.sliced(i + 1);
    return line.sliced(i + 1, close - i - 1);
}

QByteArrayView eolBytes(quint8 eol)
{
    static constexpr QByteArrayView kEols[] = {"", "\r\n", "\n", "\r"};
    return kEols[eol];
}

}  // namespace

std::optional<qsizetype> IniDocument::KeyIndex::find(const QByteArray& folded) const
{
    if (!hash_.isEmpty()) {
        const auto it = hash_.constFind(folded);
        return it == hash_.constEnd() ? std::nullopt : std::optional<qsizetype>(*it);
    }
    for (const auto& [name, line] : list_)
        if (name == folded)
            return line;
    return std::nullopt;
}

void IniDocument::KeyIndex::addIfAbsent(const QByteArray& folded, qsizetype line)
{
    constexpr qsizetype kListLimit = 8;
    if (find(folded))
        return;
    if (hash_.isEmpty() && list_.size() < kListLimit) {
        list_.append({folded, line});
        return;
    }
    if (hash_.isEmpty())
        for (const auto& [name, at] : list_)
            hash_.insert(name, at);
    hash_.insert(folded, line);
}

IniDocument IniDocument::parse(const QByteArray& bytes)
{
    IniDocument doc;
    doc.source_ = bytes;
    const char* data = doc.source_.constData();
    const qsizetype size = doc.source_.size();
    const qsizetype sectionsAtMost = std::count(data, data + size, '[') + 1;
    doc.sections_.reserve(sectionsAtMost);
    doc.sectionIndex_.reserve(sectionsAtMost);
    doc.sections_.emplace_back();

    qsizetype pos = 0;
    while (pos < size) {
        const char* lineEnd = std::find_if(data + pos, data + size, [](char c) { return c == '\r' || c == '\n'; });
        const qsizetype end = lineEnd - data;
        qsizetype next = end;
        Eol eol = Eol::None;
        if (next < size && data[next] == '\r') {
            ++next;
            eol = Eol::Cr;
            if (next < size && data[next] == '\n') {
                ++next;
                eol = Eol::CrLf;
            }
        } else if (next < size) {
            ++next;
            eol = Eol::Lf;
        }
        const QByteArray text = QByteArray::fromRawData(data + pos, end - pos);
        pos = next;

        if (auto name = sectionName(text)) {
            doc.sections_.emplace_back().lines.append(Line{text, eol});
            const QByteArray key = folded(*name);
            if (!doc.sectionIndex_.contains(key))
                doc.sectionIndex_.insert(key, qsizetype(doc.sections_.size() - 1));
            continue;
        }
        Section& section = doc.sections_.back();
        section.lines.append(Line{text, eol});
        const qsizetype eq = text.indexOf('=');
        if (doc.sections_.size() > 1 && eq >= 0) {
            const qsizetype lineIndex = section.lines.size() - 1;
            section.keys.addIfAbsent(folded(QByteArrayView(text).first(eq)), lineIndex);
            section.lastKeyLine = lineIndex;
        }
    }
    return doc;
}

std::optional<QByteArray> IniDocument::value(QByteArrayView section, QByteArrayView key) const
{
    const auto s = sectionIndex_.constFind(folded(section));
    if (s == sectionIndex_.constEnd())
        return std::nullopt;
    const Section& sec = sections_[*s];
    const auto k = sec.keys.find(folded(key));
    if (!k)
        return std::nullopt;
    const QByteArrayView text = sec.lines[*k].text;
    return unquoted(text.sliced(text.indexOf('=') + 1));
}

QByteArray IniDocument::storedForm(QByteArrayView value)
{
    if (value.isEmpty())
        return {};
    const bool changesOnRead = isBlank(value.front()) || isBlank(value.back())
                               || value.front() == '"' || value.back() == '"';
    if (!changesOnRead)
        return QByteArray::fromRawData(value.data(), value.size());
    return '"' + value.toByteArray() + '"';
}

void IniDocument::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const auto s = sectionIndex_.constFind(folded(section));
    if (s == sectionIndex_.constEnd()) {
        ensureLastLineEnds();
        Section& sec = appendSection('[' + section.toByteArray() + ']');
        sec.lines.append(Line{key.toByteArray() + '=' + storedForm(value), Eol::CrLf});
        sec.keys.addIfAbsent(owned(folded(key)), 1);
        sec.lastKeyLine = 1;
        sectionIndex_.insert(owned(folded(section)), qsizetype(sections_.size() - 1));
        return;
    }

    Section& sec = sections_[*s];
    const QByteArray foldedKey = folded(key);  // may view the caller's bytes: look up only
    if (const auto k = sec.keys.find(foldedKey)) {
        QByteArray& text = sec.lines[*k].text;
        const qsizetype eq = text.indexOf('=');
        const QByteArray stored = storedForm(value);
        // Rewriting a line with what it holds already changes nothing.
        if (QByteArrayView(text).first(eq) != key || QByteArrayView(text).sliced(eq + 1) != stored)
            text = key.toByteArray() + '=' + stored;
        return;
    }
    // Every key line is at or before lastKeyLine, so inserting after it
    // moves no key and the key index stays valid.
    Line& previous = sec.lines[sec.lastKeyLine];
    if (previous.eol == Eol::None)
        previous.eol = Eol::CrLf;
    const qsizetype at = sec.lastKeyLine + 1;
    sec.lines.insert(sec.lines.begin() + at, Line{key.toByteArray() + '=' + storedForm(value), Eol::CrLf});
    sec.keys.addIfAbsent(owned(foldedKey), at);
    sec.lastKeyLine = at;
}

QByteArray IniDocument::serialize() const
{
    qsizetype size = 0;
    for (const Section& sec : sections_)
        for (const Line& line : sec.lines)
            size += line.text.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const Section& sec : sections_)
        for (const Line& line : sec.lines)
            out.append(line.text).append(eolBytes(quint8(line.eol)));
    return out;
}

IniDocument::Section& IniDocument::appendSection(QByteArray header)
{
    Section& sec = sections_.emplace_back();
    sec.lines.append(Line{std::move(header), Eol::CrLf});
    return sec;
}

void IniDocument::ensureLastLineEnds()
{
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        if (s->lines.isEmpty())
            continue;
        if (s->lines.back().eol == Eol::None)
            s->lines.back().eol = Eol::CrLf;
        return;
    }
}
