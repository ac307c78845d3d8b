#include "ListOrder.h"

#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <vector>

struct ListOrder::Collator {
    UCollator* handle = nullptr;
    ~Collator() { ucol_close(handle); }
};

ListOrder::ListOrder()
    : collator_(std::make_unique<Collator>())
{
    UErrorCode status = U_ZERO_ERROR;
    // ICU's Chinese collation orders Han characters by pinyin. Secondary
    // strength tells accents apart but not letter case.
    collator_->handle = ucol_open("zh_CN", &status);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator_->handle = ucol_open("", &status);
    }
    ucol_setStrength(collator_->handle, UCOL_SECONDARY);
    // ICU puts Han before the other scripts; a Chinese Windows list box puts
    // Latin (and every other script) first, Chinese last.
    const int32_t hanLast[] = {USCRIPT_UNKNOWN, USCRIPT_HAN};
    ucol_setReorderCodes(collator_->handle, hanLast, 2, &status);
}

ListOrder::~ListOrder() = default;

int ListOrder::compare(const QString& a, const QString& b) const
{
    return ucol_strcoll(collator_->handle, reinterpret_cast<const UChar*>(a.utf16()), int(a.size()),
                        reinterpret_cast<const UChar*>(b.utf16()), int(b.size()));
}

qsizetype ListOrder::insertPosition(const QStringList& sorted, const QString& entry) const
{
    const auto at = std::upper_bound(sorted.cbegin(), sorted.cend(), entry,
                                     [this](const QString& a, const QString& b) { return compare(a, b) < 0; });
    return at - sorted.cbegin();
}

void ListOrder::sort(QStringList& entries) const
{
    // Sort keys make each comparison a byte compare: a large list loads fast.
    std::vector<std::pair<QByteArray, QString>> keyed;
    keyed.reserve(entries.size());
    for (const QString& entry : entries) {
        const auto* text = reinterpret_cast<const UChar*>(entry.utf16());
        const int length = int(entry.size());
        QByteArray key(ucol_getSortKey(collator_->handle, text, length, nullptr, 0), Qt::Uninitialized);
        ucol_getSortKey(collator_->handle, text, length, reinterpret_cast<uint8_t*>(key.data()), int(key.size()));
        keyed.emplace_back(std::move(key), entry);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        entries[qsizetype(i)] = std::move(keyed[i].second);
}

const ListOrder& listOrder()
{
    static const ListOrder order;
    return order;
}
