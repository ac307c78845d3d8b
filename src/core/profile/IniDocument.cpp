#include "IniDocument.h"

#include "AnsiBytes.h"

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trimmed(std::string_view bytes)
{
    std::size_t begin = 0;
    std::size_t end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.substr(begin, end - begin);
}

bool holdsLineEnd(std::string_view bytes)
{
    return bytes.find_first_of("\r\n") != std::string_view::npos;
}

char foldedLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Calls f for each byte of the name, letters folded to lower case. The
// second byte of a double-byte character may look like a letter and is left
// alone, so two different Chinese characters never match.
template <typename F>
void forEachFolded(std::string_view name, F f)
{
    for (std::size_t i = 0; i < name.size();) {
        const int len = ansi::charLength(name, i);
        if (len == 1)
            f(foldedLetter(name[i]));
        else
            for (int k = 0; k < len; ++k)
                f(name[i + std::size_t(k)]);
        i += std::size_t(len);
    }
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

// What a reader gives for the text after "=", as a view of that text.
std::string_view readValue(std::string_view stored)
{
    std::string_view v = trimmed(stored);
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v.substr(0, v.find('\0'));
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<std::string_view> sectionName(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i >= line.size() || line[i] != '[')
        return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close <= i)
        return std::nullopt;
    return line.substr(i + 1, close - i - 1);
}

std::string_view eolBytes(std::uint8_t eol)
{
    static constexpr std::string_view kEols[] = {"", "\r\n", "\n", "\r"};
    return kEols[eol];
}

}  // namespace

std::size_t IniDocument::NameHash::operator()(std::string_view name) const
{
    std::size_t hash = 14695981039346656037ull;  // FNV-1a
    forEachFolded(trimmed(name), [&](char c) { hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull; });
    return hash;
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const
{
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size();) {
        const int len = ansi::charLength(a, i);
        if (ansi::charLength(b, i) != len)
            return false;
        if (len == 1) {
            if (foldedLetter(a[i]) != foldedLetter(b[i]))
                return false;
        } else if (a.substr(i, std::size_t(len)) != b.substr(i, std::size_t(len))) {
            return false;
        }
        i += std::size_t(len);
    }
    return true;
}

std::optional<std::size_t> IniDocument::KeyIndex::find(std::string_view name) const
{
    if (!hash_.empty()) {
        const auto it = hash_.find(name);
        return it == hash_.end() ? std::nullopt : std::optional<std::size_t>(it->second);
    }
    const NameEqual equal;
    for (const auto& [known, line] : list_)
        if (equal(known, name))
            return line;
    return std::nullopt;
}

void IniDocument::KeyIndex::addIfAbsent(std::string_view name, std::size_t line)
{
    constexpr std::size_t kListLimit = 8;
    if (find(name))
        return;
    if (hash_.empty() && list_.size() < kListLimit) {
        list_.emplace_back(name, line);
        return;
    }
    if (hash_.empty())
        hash_.insert(list_.begin(), list_.end());
    hash_.emplace(name, line);
}

IniDocument IniDocument::parse(std::string bytes)
{
    IniDocument doc;
    doc.source_ = std::make_unique<const std::string>(std::move(bytes));
    const std::string_view data = *doc.source_;
    // Sections grow as they are found: counting "[" bytes beforehand would
    // reserve room for millions of sections in a file that is one long line
    // of them.
    doc.sections_.emplace_back();

    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = data.size();
        std::size_t next = end;
        Eol eol = Eol::None;
        if (next < data.size() && data[next] == '\r') {
            ++next;
            eol = Eol::Cr;
            if (next < data.size() && data[next] == '\n') {
                ++next;
                eol = Eol::CrLf;
            }
        } else if (next < data.size()) {
            ++next;
            eol = Eol::Lf;
        }
        const std::string_view text = data.substr(pos, end - pos);
        pos = next;

        if (const auto name = sectionName(text)) {
            doc.sections_.emplace_back().lines.push_back(Line{text, eol});
            doc.sectionIndex_.emplace(*name, doc.sections_.size() - 1);  // the first of a name wins
            continue;
        }
        Section& section = doc.sections_.back();
        section.lines.push_back(Line{text, eol});
        const std::size_t eq = text.find('=');
        if (doc.sections_.size() > 1 && eq != std::string_view::npos) {
            const std::size_t lineIndex = section.lines.size() - 1;
            section.keys.addIfAbsent(text.substr(0, eq), lineIndex);
            section.lastKeyLine = lineIndex;
        }
    }
    return doc;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const auto s = sectionIndex_.find(section);
    if (s == sectionIndex_.end())
        return std::nullopt;
    const Section& sec = sections_[s->second];
    const auto k = sec.keys.find(key);
    if (!k)
        return std::nullopt;
    const std::string_view text = sec.lines[*k].text;
    return std::string(readValue(text.substr(text.find('=') + 1)));
}

std::string IniDocument::storedForm(std::string_view value)
{
    if (value.empty())
        return {};
    const bool changesOnRead = isBlank(value.front()) || isBlank(value.back()) || value.front() == '"'
                               || value.back() == '"' || (value.size() >= 2 && value.front() == '\'' && value.back() == '\'');
    if (!changesOnRead)
        return std::string(value);
    return '"' + std::string(value) + '"';
}

bool IniDocument::keyReadsBack(std::string_view key)
{
    if (holdsLineEnd(key) || key.find('=') != std::string_view::npos || trimmed(key).empty())
        return false;
    // Whatever the value, "key=value" must not read as a section header.
    return trimmed(key).front() != '[';
}

bool IniDocument::sectionReadsBack(std::string_view section)
{
    // "[" + section + "]" always reads as a section of that name: the name
    // ends at the last "]" of the line, which is the one written after it.
    return !holdsLineEnd(section);
}

bool IniDocument::valueReadsBack(std::string_view value)
{
    return !holdsLineEnd(value) && value.find('\0') == std::string_view::npos;
}

std::string_view IniDocument::keep(std::string text)
{
    return written_.emplace_back(std::move(text));
}

std::string_view IniDocument::keyLine(std::string_view key, std::string_view value)
{
    std::string line;
    const std::string stored = storedForm(value);
    line.reserve(key.size() + 1 + stored.size());
    line.append(key).append(1, '=').append(stored);
    return keep(std::move(line));
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const auto s = sectionIndex_.find(section);
    if (s == sectionIndex_.end()) {
        ensureLastLineEnds();
        Section& sec = sections_.emplace_back();
        const std::string_view header = keep('[' + std::string(section) + ']');
        sec.lines.push_back(Line{header, Eol::CrLf});
        const std::string_view line = keyLine(key, value);
        sec.lines.push_back(Line{line, Eol::CrLf});
        sec.keys.addIfAbsent(line.substr(0, key.size()), 1);
        sec.lastKeyLine = 1;
        sectionIndex_.emplace(header.substr(1, section.size()), sections_.size() - 1);
        return;
    }

    Section& sec = sections_[s->second];
    if (const auto k = sec.keys.find(key)) {
        std::string_view& text = sec.lines[*k].text;
        const std::size_t eq = text.find('=');
        // A line that already reads as the new value is left as it stands.
        if (readValue(text.substr(eq + 1)) != value)
            text = keyLine(trimmed(text.substr(0, eq)), value);
        return;
    }
    // Every key line is at or before lastKeyLine, so inserting after it
    // moves no key and the key index stays valid.
    Line& previous = sec.lines[sec.lastKeyLine];
    if (previous.eol == Eol::None)
        previous.eol = Eol::CrLf;
    const std::size_t at = sec.lastKeyLine + 1;
    const std::string_view line = keyLine(key, value);
    sec.lines.insert(sec.lines.begin() + std::ptrdiff_t(at), Line{line, Eol::CrLf});
    sec.keys.addIfAbsent(line.substr(0, key.size()), at);
    sec.lastKeyLine = at;
}

std::string IniDocument::serialize() const
{
    std::size_t size = 0;
    for (const Section& sec : sections_)
        for (const Line& line : sec.lines)
            size += line.text.size() + 2;
    std::string out;
    out.reserve(size);
    for (const Section& sec : sections_)
        for (const Line& line : sec.lines)
            out.append(line.text).append(eolBytes(std::uint8_t(line.eol)));
    return out;
}

void IniDocument::ensureLastLineEnds()
{
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
        if (s->lines.empty())
            continue;
        if (s->lines.back().eol == Eol::None)
            s->lines.back().eol = Eol::CrLf;
        return;
    }
}
