#pragma once
// Sets the TZ environment variable for a test and puts the old value back
// afterwards; the C runtime reads it again at once (tzset).

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace pk10::test {

class ZoneFor {
  public:
    explicit ZoneFor(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        Set(zone);
    }
    ~ZoneFor() { Set(old_ ? old_->c_str() : nullptr); }
    ZoneFor(const ZoneFor&) = delete;
    ZoneFor& operator=(const ZoneFor&) = delete;

  private:
    // `zone`, or TZ removed when it is null.
    static void Set(const char* zone) {
#ifdef _WIN32
        _putenv_s("TZ", zone != nullptr ? zone : "");
        _tzset();
#else
        if (zone != nullptr) {
            setenv("TZ", zone, 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
#endif
    }

    std::optional<std::string> old_;
};

}  // namespace pk10::test
