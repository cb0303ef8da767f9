#include "app/LiveServers.h"

namespace pk10 {

LiveServers::LiveServers(const AppOptions& options)
    : results_{options.resultsServer, options.resultsSource},
      maker_{options.makerServer, options.makerSource} {}

std::string LiveServers::Results() const {
    std::lock_guard lock(mutex_);
    return results_.address;
}

std::string LiveServers::Maker() const {
    std::lock_guard lock(mutex_);
    return maker_.address;
}

ServerField LiveServers::FieldOf(const Server& server, const char* option, const char* variable) {
    switch (server.source) {
        case ServerSource::kCommandLine:
            return {server.address, option};
        case ServerSource::kEnvironment:
            return {server.address, variable};
        case ServerSource::kSaved:
        case ServerSource::kDefault:
            break;
    }
    return {server.address, {}};
}

ServerFields LiveServers::Fields() const {
    std::lock_guard lock(mutex_);
    return {FieldOf(results_, "--results-server", kResultsServerEnv),
            FieldOf(maker_, "--maker-server", kMakerServerEnv)};
}

bool LiveServers::ChangeOne(Server& server, const std::string& text) {
    if (server.source == ServerSource::kCommandLine ||
        server.source == ServerSource::kEnvironment) {
        return false;
    }
    const std::string address = ServerAddressOf(text);
    if (!ServerAddressProblem(address).empty() || address == server.address) {
        return false;
    }
    server = {address, ServerSource::kSaved};
    return true;
}

LiveServers::Changed LiveServers::Change(const std::string& results, const std::string& maker) {
    std::lock_guard lock(mutex_);
    return {ChangeOne(results_, results), ChangeOne(maker_, maker)};
}

}  // namespace pk10
