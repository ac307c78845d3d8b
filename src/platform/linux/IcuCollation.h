#pragma once

#include "core/services/Collation.h"

#include <memory>

// The Chinese list box order through ICU: its zh_CN collation (Han by
// pinyin), letter case ignored (secondary strength), Han after every other
// script. Texts of ASCII, the item marker and the Han characters of GBK are
// ordered by the Han table's ranks of ICU's own weights, so the collator,
// whose data is large, is opened only when a text beyond them needs it. Not for use from several threads at once.
class IcuCollation : public Collation {
public:
    IcuCollation();
    ~IcuCollation() override;

    int compare(std::string_view a, std::string_view b) const override;
    std::vector<std::string> sortKeys(const std::vector<std::string>& texts) const override;

    // The ICU path alone, for checking the table's order against it.
    int compareWithIcu(std::string_view a, std::string_view b) const;

private:
    struct Collator;
    Collator& collator() const;
    mutable std::unique_ptr<Collator> collator_;
};
