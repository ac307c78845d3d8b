#pragma once

#include <QStringList>

#include <memory>

// The order of the launcher list, as a Chinese list box sorts: Chinese by
// pinyin, letter case ignored, equal entries kept in the order they came.
// The collator is built for zh_CN explicitly, whatever the user's locale.
class ListOrder {
public:
    ListOrder();
    ~ListOrder();
    ListOrder(const ListOrder&) = delete;
    ListOrder& operator=(const ListOrder&) = delete;

    // Negative, zero or positive as a sorts before, with or after b.
    int compare(const QString& a, const QString& b) const;
    // Where a new entry goes in a sorted list: after every entry that does
    // not sort after it.
    qsizetype insertPosition(const QStringList& sorted, const QString& entry) const;
    // Sorts entries as if each had been inserted in turn.
    void sort(QStringList& entries) const;

private:
    struct Collator;
    std::unique_ptr<Collator> collator_;
};

// The order of the launcher list, made once: opening a collator loads its
// rules, which is worth doing only once per run.
const ListOrder& listOrder();
