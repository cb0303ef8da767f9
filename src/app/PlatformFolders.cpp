// The part of the per-user folders that is the same on every platform.

#include "app/PlatformFolders.h"

#include "io/PathText.h"

namespace pk10 {

std::filesystem::path AbsolutePathVariable(const EnvironmentLookup& environment, const char* name) {
    const std::optional<std::string> value = environment ? environment(name) : std::nullopt;
    if (!value || value->empty()) {
        return {};
    }
    std::filesystem::path path = PathFromUtf8(*value);
    return path.is_absolute() ? path : std::filesystem::path();
}

}  // namespace pk10
