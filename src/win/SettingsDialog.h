#pragma once
// The settings dialog of the servers: template PK10_IDD_SETTINGS of the
// resource script, the Windows peer of the Qt window's CSettingsDlg. OK checks
// the addresses as --results-server does and saves them (SaveServerFields); a
// refused address keeps the dialog open with the reason under the fields. A
// server fixed for the run shows its address disabled, with a note that says
// by what.

#include <windows.h>

#include <string>

#include "app/ServerSettings.h"
#include "app/SettingsStore.h"

namespace pk10::win {

// What OK left in the two fields.
struct SettingsAnswer {
    bool accepted = false;
    std::string results;
    std::string maker;
};

// Runs the dialog modally over `owner`; saves in `store` on OK.
SettingsAnswer RunSettingsDialog(HINSTANCE instance, HWND owner, const ServerFields& shown,
                                 SettingsStore& store);

}  // namespace pk10::win
