#pragma once
// The promotional link: the first line of a file on the maker's server, opened
// in the user's browser when it is an http(s) address (ChoosePromoLink). Every
// failure is silent.
//
// Keeps no state; may run on any thread, and blocks for the transfer, so the
// window thread hands it to another thread.

#include <string>

#include "io/HttpTextFetch.h"
#include "online/DesktopServices.h"

namespace pk10 {

enum class PromoOutcome {
    Opened,   // the first line went to the opener
    Ignored,  // the first line is not an http(s) address, or the file is empty
    Failed,   // the link file could not be fetched
};

// GETs `makerServer` + "addurl/pk10.txt" past any cache (options.noCache is set)
// and opens the chosen address.
PromoOutcome OpenPromoLink(const std::string& makerServer, DesktopOpener& opener,
                           FetchOptions options = {});

}  // namespace pk10
