#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// An INI file held as its own bytes, read and edited by the rules of the
// Windows profile functions:
// - "[name]" opens a section, a "[" without a later "]" does not; "key=value"
//   is a key; a line without "=" is not;
// - section and key names match without regard to the case of Latin letters
//   and to blanks around them; the first section or key of a name wins;
// - blanks around a value are dropped, then one pair of enclosing double or
//   single quotes, so a value is written in double quotes when it would
//   otherwise change; a value ends at a zero byte, as a C string does;
// - an existing key is replaced where it stands, keeping the name as the
//   file spells it, and left alone when it already reads as the new value;
//   a new key goes after the last key of its section, a new section at the
//   end of the file;
// - lines may end in CR LF, LF or CR alone; new lines end in CR LF.
// Every byte that an edit does not touch is kept as it was.
//
// Lines that were read are views of the file's bytes rather than copies, so
// reading a long profile costs little more than one pass over it.
class IniDocument {
public:
    static IniDocument parse(std::string bytes);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    std::string serialize() const;

    // The form a value takes after "=" so that a reader gives it back unchanged.
    static std::string storedForm(std::string_view value);

    // Whether setValue() can write the name or value (in file bytes) so that
    // reading the file finds it again, by the same rules parse() reads with.
    // A key must not be empty or blank, hold "=" or start with "[" after
    // blanks (the line would read as a section); a value must not hold a zero
    // byte, at which the reader ends it; no text may hold a line break.
    static bool keyReadsBack(std::string_view key);
    static bool sectionReadsBack(std::string_view section);
    static bool valueReadsBack(std::string_view value);

private:
    enum class Eol : std::uint8_t { None, CrLf, Lf, Cr };
    struct Line {
        std::string_view text;  // into source_ for lines that were read, else into written_
        Eol eol = Eol::CrLf;
    };

    // Names hash and compare as the profile functions match them: blanks
    // around them and the case of Latin letters do not count.
    struct NameHash {
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameMap = std::unordered_map<std::string_view, std::size_t, NameHash, NameEqual>;

    // Keys of one section by name. Most sections hold a key or two, which a
    // short list finds fastest; a long one gets a hash as well.
    class KeyIndex {
    public:
        std::optional<std::size_t> find(std::string_view name) const;
        void addIfAbsent(std::string_view name, std::size_t line);

    private:
        std::vector<std::pair<std::string_view, std::size_t>> list_;
        NameMap hash_;
    };

    struct Section {
        std::vector<Line> lines;  // lines[0] is the "[name]" line, except in the preamble
        KeyIndex keys;
        std::size_t lastKeyLine = 0;
    };

    // Keeps a new line's text for the document's lifetime.
    std::string_view keep(std::string text);
    std::string_view keyLine(std::string_view key, std::string_view value);
    void ensureLastLineEnds();

    // Heap-held so that views into it survive moving the document.
    std::unique_ptr<const std::string> source_;
    std::deque<std::string> written_;  // a deque never moves what it holds
    std::vector<Section> sections_;    // sections_[0] holds the lines before the first section
    NameMap sectionIndex_;             // name -> section, first occurrence
};
