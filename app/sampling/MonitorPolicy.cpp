#include "sampling/MonitorPolicy.h"

#include "settings/SettingsManager.h"

namespace corvanite {

MonitorPolicy defaultMonitorPolicy()
{
    MonitorPolicy policy;
    policy.iconOnlyMenuBar = [] {
        return SettingsManager::shared().menuBarMode() == MenuBarMode::Icon;
    };
    policy.alertsEnabled = [] { return SettingsManager::shared().alertsEnabled(); };
    // The insight engine and the history store ask for these once they exist.
    policy.wantsProcessScan = [] { return false; };
    policy.wantsTempSample = [] { return false; };
    return policy;
}

} // namespace corvanite
