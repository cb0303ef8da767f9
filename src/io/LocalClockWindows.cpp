#include "io/LocalClock.h"

namespace pk10 {

std::tm LocalTimeOf(std::time_t moment) {
    // The C runtime's thread-safe conversion; it reads TZ as the POSIX one does
    // ("CST-8"), and the system's zone without it.
    std::tm local{};
    localtime_s(&local, &moment);
    return local;
}

}  // namespace pk10
