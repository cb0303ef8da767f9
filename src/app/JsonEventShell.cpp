#include "app/JsonEventShell.h"

#include "io/IsoLocalTime.h"

namespace pk10 {

JsonEventShell::JsonEventShell(std::ostream& out, std::vector<int> positions, Clock clock)
    : HeadlessShell(out, positions), positions_(std::move(positions)), clock_(std::move(clock)) {}

void JsonEventShell::Emit(const char* type, const EventJson& body) {
    EventJson event = {{"type", type}, {"time", IsoLocalTime(clock_())}};
    for (const auto& [key, value] : body.items()) {
        event[key] = value;
    }
    Write(event.dump(-1, ' ', false, EventJson::error_handler_t::replace) + "\n");
}

void JsonEventShell::ShowDrawListing(const std::string& /*text*/, bool /*scrollToEnd*/) {}

void JsonEventShell::ShowPlanText(const std::string& /*text*/) {}

void JsonEventShell::ShowCountFields(const std::string& /*sizeText*/,
                                     const std::string& /*spanText*/) {}

void JsonEventShell::SetReplanRunning(bool /*running*/) {}

void JsonEventShell::ShowMessage(const std::string& caption, const std::string& text) {
    Emit("message", {{"caption", caption}, {"text", WithUnixLineEnds(text)}});
}

void JsonEventShell::OpenUrl(const std::string& url) {
    Emit("open", {{"url", url}});
}

void JsonEventShell::NavigateBanner(const std::string& url) {
    Emit("banner", {{"url", url}});
}

void JsonEventShell::OnDrawMerged(const std::string& draw) {
    Emit("draw", DrawEventBody(draw));
}

void JsonEventShell::OnPlansRecomputed(const BySlot<PlanBook>& books) {
    Emit("plans", PlansEventBody(books, positions_));
}

void JsonEventShell::ShowPlanStatistics(const StatsReport& report) {
    Emit("stats", StatsEventBody(report, positions_));
}

void JsonEventShell::ReportError(const std::string& text) {
    Emit("error", {{"text", text}});
}

}  // namespace pk10
