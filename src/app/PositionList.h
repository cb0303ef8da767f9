#pragma once
// The Positions a headless run shows, as the --positions option names them.

#include <optional>
#include <string_view>
#include <vector>

namespace pk10 {

// "all" (Positions 1 to 10), or Positions 1 to 10 separated by commas ("1,4,10";
// a Position named twice counts once). Returns them in ascending order; nothing
// for any other text (empty, an empty item, a sign, spaces, a number out of range).
std::optional<std::vector<int>> ParsePositionList(std::string_view text);

}  // namespace pk10
