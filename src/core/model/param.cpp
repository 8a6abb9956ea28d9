#include "core/model/param.h"

#include <type_traits>

namespace varnelle {
namespace {

struct AssignDefault {
    template <class Field, class Key>
    void operator()(const char*, Field& field, const Key& key) const {
        if constexpr (std::is_same_v<Key, TextKey>)
            field = key.defaut;
        else
            field = static_cast<Field>(key.defaut);
    }
};

}  // namespace

TParam::TParam() {
    forEachParam(*this, AssignDefault{});
}

}  // namespace varnelle
