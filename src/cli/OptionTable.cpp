#include "cli/OptionTable.h"

#include <algorithm>
#include <optional>

namespace pk10::cli {
namespace {

const Option* Find(const OptionTable& table, const std::string& name) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&name](const Option& option) { return option.name == name; });
    return it == table.end() ? nullptr : &*it;
}

bool ValueOptional(const Option& option) {
    return option.argument.size() > 1 && option.argument.front() == '[' &&
           option.argument.back() == ']';
}

}  // namespace

std::string ParseOptions(const std::vector<std::string>& args, const OptionTable& table) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const Option* option = Find(table, name);
        if (option == nullptr) {
            return "unknown option '" + args[i] + "'";
        }
        if (option->argument.empty()) {
            if (value) {
                return "option " + name + " takes no value";
            }
            value.emplace();
        } else if (!value && ValueOptional(*option)) {
            const bool next = i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0;
            value = next ? args[++i] : std::string();
        } else if (!value) {
            if (i + 1 >= args.size()) {
                return "option " + name + " needs a value";
            }
            value = args[++i];
        }
        if (std::string error = option->handle(*value); !error.empty()) {
            return error;
        }
    }
    return {};
}

std::string OptionsHelp(const OptionTable& table, std::size_t column, const std::string& indent) {
    const std::string continuation(column, ' ');
    std::string text;
    for (const Option& option : table) {
        const std::string entry =
            indent + option.name + (option.argument.empty() ? "" : " " + option.argument);
        text += entry +
                std::string(std::max<std::size_t>(2, column - std::min(column, entry.size())), ' ');
        for (const char c : option.help) {
            text += c;
            if (c == '\n') {
                text += continuation;
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace pk10::cli
