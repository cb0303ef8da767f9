#include "win/RegistrySettingsStore.h"

#include <windows.h>

#include <utility>

#include "win/WideText.h"

namespace pk10::win {
namespace {

struct RegistryName {
    std::wstring subkey;
    std::wstring value;
};

// "section/name" as the subkey under `root` and the value's name; a key
// without a section is a value of `root` itself.
RegistryName Split(const std::wstring& root, const std::string& key) {
    const std::size_t slash = key.rfind('/');
    if (slash == std::string::npos) {
        return {root, Widen(key)};
    }
    std::wstring section = Widen(key.substr(0, slash));
    for (wchar_t& c : section) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return {root + L"\\" + section, Widen(key.substr(slash + 1))};
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring root) : root_(std::move(root)) {}

std::optional<std::string> RegistrySettingsStore::Read(const std::string& key) const {
    const RegistryName name = Split(root_, key);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, name.subkey.c_str(), name.value.c_str(), RRF_RT_REG_SZ,
                     nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, name.subkey.c_str(), name.value.c_str(), RRF_RT_REG_SZ,
                     nullptr, text.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The size counts the closing null.
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return Narrow(text);
}

bool RegistrySettingsStore::Write(const std::string& key, const std::string& value) {
    const RegistryName name = Split(root_, key);
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, name.subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring text = Widen(value);
    const LONG status = RegSetValueExW(handle, name.value.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

}  // namespace pk10::win
