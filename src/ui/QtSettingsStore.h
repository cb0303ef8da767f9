#pragma once
// The kept settings in a QSettings file of the organisation "pk10plan":
// ~/.config/pk10plan/<file>.conf on Linux.

#include <QString>

#include "app/SettingsStore.h"

namespace pk10::ui {

class QtSettingsStore : public SettingsStore {
  public:
    // `file` names the settings file, without its ".conf".
    explicit QtSettingsStore(QString file);

    std::optional<std::string> Read(const std::string& key) const override;
    bool Write(const std::string& key, const std::string& value) override;

  private:
    QString file_;
};

}  // namespace pk10::ui
