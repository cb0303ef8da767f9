#pragma once
// The kept settings in the registry: the key "section/name" is the value
// "name" of HKEY_CURRENT_USER\<root>\section, a REG_SZ of the UTF-16 text.

#include <string>

#include "app/SettingsStore.h"

namespace pk10::win {

inline constexpr const wchar_t* kSettingsRoot = L"Software\\pk10plan";

class RegistrySettingsStore : public SettingsStore {
  public:
    explicit RegistrySettingsStore(std::wstring root = kSettingsRoot);

    std::optional<std::string> Read(const std::string& key) const override;
    bool Write(const std::string& key, const std::string& value) override;

  private:
    std::wstring root_;
};

}  // namespace pk10::win
