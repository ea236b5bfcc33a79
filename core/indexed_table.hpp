#pragma once
// Tables the code indexes by an enumeration must list their rows in the
// enumeration's order; this lets a static_assert say so.
#include <cstddef>

namespace prestova {

// Whether key(row) is the row's own index for every row of table.
template <typename Table, typename Key>
constexpr bool rows_in_key_order(const Table& table, Key key)
{
    std::size_t index = 0;
    for (const auto& row : table)
        if (static_cast<std::size_t>(key(row)) != index++) return false;
    return true;
}

}  // namespace prestova
