#include "settings/SettingsHooks.h"

namespace corvanite {

SettingsHooks defaultSettingsHooks() {
    SettingsHooks hooks;
    // TODO-INTEGRATION: Monitor::shared().setInterval(seconds).
    hooks.setMonitorInterval = [](double) {};
    // TODO-INTEGRATION: Monitor::shared().applyEffectiveInterval().
    hooks.applyEffectiveInterval = [] {};
    // TODO-INTEGRATION: AlertManager::shared().requestAuthorization(std::move(completion)).
    hooks.requestNotificationAuthorization = [](std::function<void(bool)> completion) {
        completion(true);
    };
    return hooks;
}

} // namespace corvanite
