#pragma once

#include <QByteArray>
#include <QHash>

#include <optional>
#include <vector>

// An INI file held as its own bytes, read and edited by the rules of the
// Windows profile functions:
// - "[name]" opens a section; "key=value" is a key; a line without "=" is not;
// - section and key names match without regard to the case of Latin letters
//   and to blanks around them; the first section or key of a name wins;
// - blanks around a value are dropped, then one pair of enclosing double
//   quotes, so a value is written quoted when it would otherwise change;
// - an existing key is replaced where it stands, a new key goes after the
//   last key of its section, a new section at the end of the file;
// - lines may end in CR LF, LF or CR alone; new lines end in CR LF.
// Every byte that an edit does not touch is kept as it was.
class IniDocument {
public:
    static IniDocument parse(const QByteArray& bytes);

    std::optional<QByteArray> value(const QByteArray& section, const QByteArray& key) const;
    void setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);
    QByteArray serialize() const;

    // The form a value takes after "=" so that a reader gives it back unchanged.
    static QByteArray storedForm(const QByteArray& value);

private:
    struct Line {
        QByteArray text;
        QByteArray eol;
    };
    struct Section {
        std::vector<Line> lines;  // lines[0] is the "[name]" line, except in the preamble
        QHash<QByteArray, qsizetype> keys;  // folded key -> line, first occurrence
        qsizetype lastKeyLine = 0;
    };

    Section& appendSection(const QByteArray& header);
    void ensureLastLineEnds();

    std::vector<Section> sections_;  // sections_[0] holds the lines before the first section
    QHash<QByteArray, qsizetype> sectionIndex_;  // folded name -> section, first occurrence
};
