#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/model/records.h"
#include "core/model/short_text.h"

namespace varnelle {

// Position of each code's first type, built once per recomputation so that a pass over the
// operations costs one lookup each instead of a scan of the types.
class CodeIndex final {
public:
    explicit CodeIndex(const std::vector<TTypeDep>& types) : types_(types) {
        std::size_t size = 16;
        while (size < 2 * types.size()) size *= 2;
        slots_.assign(size, -1);
        for (std::size_t i = 0; i < types.size(); ++i) {
            std::size_t slot = shortTextHash(types[i].cTypeDep) & (size - 1);
            while (slots_[slot] >= 0 &&
                   types_[static_cast<std::size_t>(slots_[slot])].cTypeDep != types[i].cTypeDep)
                slot = (slot + 1) & (size - 1);
            if (slots_[slot] < 0) slots_[slot] = static_cast<int>(i);  // the first one wins
        }
    }

    int find(std::string_view code) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = shortTextHash(code) & mask;; slot = (slot + 1) & mask) {
            const int i = slots_[slot];
            if (i < 0 || same(types_[static_cast<std::size_t>(i)].cTypeDep, code)) return i;
        }
    }

private:
    // Codes are a few bytes: compared here, they cost less than a call.
    static bool same(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    }

    const std::vector<TTypeDep>& types_;
    // Open addressing, at most half full: the position of a type, -1 for an empty slot.
    std::vector<int> slots_;
};

}  // namespace varnelle
