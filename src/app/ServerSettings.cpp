#include "app/ServerSettings.h"

#include "online/WebAddress.h"

namespace pk10 {
namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The dialog's label without its accelerator and colon, to name a field in a reason.
std::string FieldName(const char* label) {
    std::string name = label;
    return name.substr(0, name.find("(&"));
}

}  // namespace

std::string ServerAddressProblem(const std::string& address) {
    if (IsWebAddress(address)) {
        return {};
    }
    return "'" + address + "' is not an http:// or https:// address with a host";
}

std::vector<std::string> ApplySavedServers(AppOptions& options, const SettingsStore& saved) {
    std::vector<std::string> messages;
    const struct {
        const char* key;
        std::string* address;
        ServerSource* source;
    } servers[] = {{kResultsServerKey, &options.resultsServer, &options.resultsSource},
                   {kMakerServerKey, &options.makerServer, &options.makerSource}};
    for (const auto& [key, address, source] : servers) {
        if (*source != ServerSource::kDefault) {
            continue;
        }
        const std::optional<std::string> value = saved.Read(key);
        if (!value || value->empty()) {
            continue;
        }
        if (std::string problem = ServerAddressProblem(*value); !problem.empty()) {
            messages.push_back(std::string("the saved server ") + key + " is left out: " + problem);
            continue;
        }
        *address = *value;
        *source = ServerSource::kSaved;
    }
    return messages;
}

std::string FixedServerNote(const ServerField& field) {
    if (field.fixedBy.empty()) {
        return {};
    }
    return "本次运行由 " + field.fixedBy + " 指定，不能在此更改";
}

std::string ServerAddressOf(std::string text) {
    text = Trimmed(text);
    return text.empty() ? std::string(kDefaultServer) : text;
}

std::string SaveServerFields(const ServerFields& shown, std::string results, std::string maker,
                             SettingsStore& store) {
    const struct {
        const ServerField& field;
        std::string text;
        const char* key;
        const char* label;
    } fields[] = {{shown.results, Trimmed(results), kResultsServerKey, kResultsServerLabel},
                  {shown.maker, Trimmed(maker), kMakerServerKey, kMakerServerLabel}};
    for (const auto& f : fields) {
        if (!f.field.fixedBy.empty() || f.text.empty()) {
            continue;
        }
        if (std::string problem = ServerAddressProblem(f.text); !problem.empty()) {
            return FieldName(f.label) + ": " + problem;
        }
    }
    for (const auto& f : fields) {
        if (f.field.fixedBy.empty() && !store.Write(f.key, f.text)) {
            return FieldName(f.label) + ": 设置无法保存";
        }
    }
    return {};
}

}  // namespace pk10
