#pragma once
// What the two draw feeds need besides the draw history: where the results
// server is, where the newest draw is exported, the pane that lists the draws,
// and how the HTTP requests behave.

#include <filesystem>
#include <string>

#include "draws/DrawPaneView.h"
#include "io/ErrorSink.h"
#include "io/HttpTextFetch.h"

namespace pk10 {

struct FeedContext {
    // Base address of the results server, e.g. "http://127.0.0.1:8010/".
    std::string resultsServer;
    // The newest-draw export, normally "data1.txt" in the working directory.
    std::filesystem::path data1File;
    DrawPaneView& pane;
    // Time-outs, size limit and abort flag of every request (noCache is set by the poll).
    FetchOptions fetch;
    // Hears why a poll got no draw and why data1File could not be written; may be null.
    ErrorSink* errors = nullptr;
};

}  // namespace pk10
