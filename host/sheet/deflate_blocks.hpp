// Where the blocks of a raw deflate stream lie, found by reading its codes without
// producing the data they stand for.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ls::sheet {

struct DeflateBounds {
    std::uint64_t lastBlock = 0;  // bit where the header of the stream's last block begins
    std::uint64_t end = 0;        // bit after the last block's end
    std::uint64_t size = 0;       // bytes the stream inflates to
};

// Nothing for data that is no sound deflate stream: a reserved block type, a stored
// block's length against its complement, a malformed or incomplete code, a distance
// reaching back before the start, or the data ending inside a block.
std::optional<DeflateBounds> deflateBounds(std::string_view stream);

}  // namespace ls::sheet
