#include "sampling/MonitorPolicy.h"

namespace corvanite {

MonitorPolicy defaultMonitorPolicy() {
    MonitorPolicy policy;
    // TODO-INTEGRATION: answer from the services once they exist:
    //   iconOnlyMenuBar  = SettingsManager::shared().menuBarMode() == MenuBarMode::icon
    //   alertsEnabled    = SettingsManager::shared().alertsEnabled()
    //   wantsProcessScan = InsightEngine::shared().wantsProcessScan()
    //   wantsTempSample  = HistoryStore::shared().wantsTempSample()
    policy.iconOnlyMenuBar = [] { return false; };
    policy.alertsEnabled = [] { return false; };
    policy.wantsProcessScan = [] { return false; };
    policy.wantsTempSample = [] { return false; };
    return policy;
}

} // namespace corvanite
