#include "platform/linux/LinuxPowerSupply.h"

#include "platform/linux/ProcFile.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace corvanite {

namespace {

QByteArray attribute(const QString& dir, const char* name)
{
    return ProcFile::readOnce(QFile::encodeName(dir + QLatin1String(name))).trimmed();
}

std::optional<qint64> number(const QString& dir, const char* name)
{
    const QByteArray text = attribute(dir, name);
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<qint64> healthPercent(const QString& dir, const char* full, const char* design)
{
    const auto now = number(dir, full);
    const auto designed = number(dir, design);
    if (!now || !designed || *now <= 0 || *designed <= 0)
        return std::nullopt;
    return qint64(std::lround(double(*now) * 100.0 / double(*designed)));
}

} // namespace

LinuxPowerSupply::LinuxPowerSupply(QString root)
    : m_root(std::move(root))
{
}

std::optional<QVariantMap> LinuxPowerSupply::batteryProperties()
{
    const QString base = (m_root.endsWith(QLatin1Char('/')) ? m_root : m_root + QLatin1Char('/')) +
                         QStringLiteral("sys/class/power_supply/");
    const QStringList supplies =
        QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);

    QString battery;
    bool anyExternalSupply = false;
    bool externalOnline = false;
    for (const QString& supply : supplies) {
        const QString dir = base + supply + QLatin1Char('/');
        const QByteArray type = attribute(dir, "type");
        if (type == "Battery") {
            // A mouse's or headset's battery is not the machine's.
            if (battery.isEmpty() && attribute(dir, "scope") != "Device")
                battery = dir;
        } else if (type == "Mains" || type.startsWith("USB")) {
            anyExternalSupply = true;
            if (number(dir, "online").value_or(0) == 1)
                externalOnline = true;
        }
    }
    if (battery.isEmpty())
        return std::nullopt;

    const QByteArray status = attribute(battery, "status");
    if (status.isEmpty() && !QFile::exists(battery + QStringLiteral("capacity")))
        return std::nullopt;

    QVariantMap properties;
    if (const auto capacity = number(battery, "capacity"))
        properties.insert(QStringLiteral("CurrentCapacity"), *capacity);
    const bool charging = status == "Charging";
    const bool full = status == "Full";
    properties.insert(QStringLiteral("IsCharging"), charging);
    properties.insert(QStringLiteral("FullyCharged"), full);
    // Without a mains supply to ask, a charging or full battery is on external power; "Not
    // charging" is a battery held by its charge limit on external power.
    const bool external =
        anyExternalSupply ? externalOnline : (charging || full || status == "Not charging");
    properties.insert(QStringLiteral("ExternalConnected"), external);
    if (const auto cycles = number(battery, "cycle_count"); cycles && *cycles >= 0)
        properties.insert(QStringLiteral("CycleCount"), *cycles);
    auto health = healthPercent(battery, "energy_full", "energy_full_design");
    if (!health)
        health = healthPercent(battery, "charge_full", "charge_full_design");
    if (health)
        properties.insert(QStringLiteral("MaxCapacity"), *health);

    const auto microvolts = number(battery, "voltage_now");
    if (microvolts && *microvolts > 0) {
        const qint64 millivolts = *microvolts / 1000;
        properties.insert(QStringLiteral("Voltage"), millivolts);
        std::optional<qint64> microamps = number(battery, "current_now");
        if (!microamps) {
            if (const auto microwatts = number(battery, "power_now"); microwatts && millivolts > 0)
                microamps = qint64(double(*microwatts) / double(*microvolts) * 1e6);
        }
        if (microamps) {
            // Drivers differ in the sign they report; the direction comes from the status.
            qint64 milliamps = std::llabs(*microamps) / 1000;
            if (status == "Discharging")
                milliamps = -milliamps;
            properties.insert(QStringLiteral("Amperage"), milliamps);
        }
    }
    return properties;
}

} // namespace corvanite
