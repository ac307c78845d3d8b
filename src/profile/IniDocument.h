#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QVarLengthArray>

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
//
// Lines that were read point into the file's bytes rather than copying them,
// so reading a long profile costs little more than one pass over it.
class IniDocument {
public:
    static IniDocument parse(const QByteArray& bytes);

    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;
    void setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    QByteArray serialize() const;

    // The form a value takes after "=" so that a reader gives it back
    // unchanged. It may view the bytes of value, which must outlive it.
    static QByteArray storedForm(QByteArrayView value);

private:
    enum class Eol : quint8 { None, CrLf, Lf, Cr };
    struct Line {
        QByteArray text;  // a view into source_ for lines that were read
        Eol eol = Eol::CrLf;
    };

    // Keys of one section by folded name. Most sections hold a key or two,
    // which a short list finds fastest; a long one gets a hash as well.
    class KeyIndex {
    public:
        std::optional<qsizetype> find(const QByteArray& folded) const;
        void addIfAbsent(const QByteArray& folded, qsizetype line);

    private:
        QVarLengthArray<std::pair<QByteArray, qsizetype>, 2> list_;
        QHash<QByteArray, qsizetype> hash_;
    };

    struct Section {
        QVarLengthArray<Line, 2> lines;  // lines[0] is the "[name]" line, except in the preamble
        KeyIndex keys;
        qsizetype lastKeyLine = 0;
    };

    Section& appendSection(QByteArray header);
    void ensureLastLineEnds();

    QByteArray source_;
    std::vector<Section> sections_;  // sections_[0] holds the lines before the first section
    QHash<QByteArray, qsizetype> sectionIndex_;  // folded name -> section, first occurrence
};
