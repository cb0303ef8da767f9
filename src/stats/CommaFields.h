#pragma once
// The comma-separated fields of one line of text: the CSV rows of settled
// plans and the stakes "1,3,9" are read field by field.

#include <string_view>
#include <vector>

namespace pk10 {

// The pieces of `text` between commas, empty ones included ("a,,b" gives three;
// "" gives one empty field). They point into `text`.
inline std::vector<std::string_view> CommaFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

}  // namespace pk10
