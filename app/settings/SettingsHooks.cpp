#include "settings/SettingsHooks.h"

#include "sampling/Monitor.h"

namespace corvanite {

SettingsHooks defaultSettingsHooks()
{
    SettingsHooks hooks;
    hooks.setMonitorInterval = [](double seconds) { Monitor::shared().setInterval(seconds); };
    hooks.applyEffectiveInterval = [] { Monitor::shared().applyEffectiveInterval(); };
    // Desktop notifications need no permission; the alert manager answers here once it exists.
    hooks.requestNotificationAuthorization = [](std::function<void(bool)> completion) {
        completion(true);
    };
    return hooks;
}

} // namespace corvanite
