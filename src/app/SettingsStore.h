#pragma once
// The user's kept settings: short UTF-8 texts under names of the form
// "section/name" (say "money/odds"), kept between runs in the platform's
// per-user place: a QSettings file under ~/.config/pk10plan on Linux, the
// registry under HKEY_CURRENT_USER\Software\pk10plan on Windows. The windows
// read and write their settings through this, so what they keep and when
// stays in portable code and each platform supplies only the storage.

#include <optional>
#include <string>

namespace pk10 {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The kept text of `key`; nothing when none is kept or it cannot be read.
    virtual std::optional<std::string> Read(const std::string& key) const = 0;
    // Keeps `value` under `key`; false when it could not be kept.
    virtual bool Write(const std::string& key, const std::string& value) = 0;
};

}  // namespace pk10
