#include "sampling/Samples.h"

namespace corvanite {

namespace {

// TODO-INTEGRATION: return L(key) from "shell/L10n.h" once localisation is in the tree. Until
// then the key itself stands in for the text.
QString localizedText(const QString& key) {
    return key;
}

} // namespace

QString BatterySample::statusKey() const {
    if (isCharging)
        return QStringLiteral("battery.status.charging");
    if (isCharged)
        return QStringLiteral("battery.status.charged");
    if (externalConnected)
        return QStringLiteral("battery.status.notCharging");
    return QStringLiteral("battery.status.onBattery");
}

QString BatterySample::statusText() const {
    return localizedText(statusKey());
}

void registerSampleMetaTypes() {
    qRegisterMetaType<CPUSample>();
    qRegisterMetaType<MemorySample>();
    qRegisterMetaType<NetSample>();
    qRegisterMetaType<ProcessSample>();
    qRegisterMetaType<QList<ProcessSample>>();
    qRegisterMetaType<ThermalSample>();
    qRegisterMetaType<BatterySample>();
    qRegisterMetaType<GPUSample>();
    qRegisterMetaType<std::optional<GPUSample>>();
    qRegisterMetaType<HeavyCache>();
    qRegisterMetaType<Snapshot>();
}

} // namespace corvanite
