#pragma once
// The command lines of pk10plan and feed-sim: each program describes its options
// in one table (name, argument, help text, handler); the same table parses the
// arguments and prints the option list of --help, so the two never disagree.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pk10::cli {

struct Option {
    // "--port".
    std::string name;
    // What the option takes, as --help shows it ("N", "URL"); empty for a flag.
    // In brackets ("[FILE]") the value may be left out: then only "--name=value"
    // or a next argument that does not begin with "--" is taken as the value.
    std::string argument;
    // Its description in --help; every '\n' starts a continuation line.
    std::string help;
    // Stores the value (empty for a flag or a left-out value); returns why the
    // value is refused, or an empty text when it was taken.
    std::function<std::string(const std::string& value)> handle;
};

using OptionTable = std::vector<Option>;

// A handler's usual ending: stores the value read into `target`, or returns
// `refusal` when the text gave none.
template <typename Value, typename Target>
std::string Store(const std::optional<Value>& value, Target& target, std::string refusal) {
    if (!value) {
        return refusal;
    }
    target = *value;
    return {};
}

// The same for a text that must not be empty.
template <typename Target>
std::string StoreNonEmpty(const std::string& value, Target& target, std::string refusal) {
    return Store(value.empty() ? std::nullopt : std::optional<std::string>(value), target,
                 std::move(refusal));
}

// Parses the arguments after the program name against `table`. "--name value"
// and "--name=value" are both accepted; a flag takes no value; options are
// handled in order, so a later one overrides an earlier one. Returns the first
// problem as one line, or an empty text.
std::string ParseOptions(const std::vector<std::string>& args, const OptionTable& table);

// The option list of --help: one "--name ARG  help" entry per option after
// `indent`, each description starting at `column` (at least two spaces after
// the name and argument), its continuation lines too.
std::string OptionsHelp(const OptionTable& table, std::size_t column,
                        const std::string& indent = "  ");

}  // namespace pk10::cli
