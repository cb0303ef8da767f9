#include "io/LocalClock.h"

namespace pk10 {

std::tm LocalTimeOf(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

}  // namespace pk10
