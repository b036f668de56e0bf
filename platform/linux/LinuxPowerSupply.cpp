// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxPowerSupply.h"

#include "platform/linux/ProcFile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <set>
#include <unistd.h>

namespace corvanite {

namespace {

constexpr const char* kAttributes[] = {"online",      "status",
                                       "capacity",    "cycle_count",
                                       "energy_full", "energy_full_design",
                                       "charge_full", "charge_full_design",
                                       "voltage_now", "current_now",
                                       "power_now"};

QByteArray trimmed(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size())).trimmed();
}

std::optional<qint64> healthPercent(std::optional<qint64> now, std::optional<qint64> designed)
{
    if (!now || !designed || *now <= 0 || *designed <= 0)
        return std::nullopt;
    return qint64(std::lround(double(*now) * 100.0 / double(*designed)));
}

} // namespace

LinuxPowerSupply::LinuxPowerSupply(QString root)
    : m_dir(pathUnderRoot(root, "sys/class/power_supply/"))
{
}

LinuxPowerSupply::~LinuxPowerSupply() = default;

void LinuxPowerSupply::refreshSupplies()
{
    std::set<QByteArray> present;
    if (DIR* dir = ::opendir(m_dir.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.')
                present.insert(QByteArray(entry->d_name));
        }
        ::closedir(dir);
    }
    for (auto it = m_supplies.begin(); it != m_supplies.end();)
        it = present.count(it->first) ? std::next(it) : m_supplies.erase(it);
    for (const QByteArray& name : present) {
        if (m_supplies.count(name))
            continue;
        const QByteArray base = m_dir + name + '/';
        Supply supply;
        supply.type = ProcFile::readOnce(base + "type").trimmed();
        supply.scope = ProcFile::readOnce(base + "scope").trimmed();
        for (const char* attribute : kAttributes) {
            const QByteArray path = base + attribute;
            if (::access(path.constData(), R_OK) == 0)
                supply.files.emplace(QByteArray(attribute), std::make_unique<ProcFile>(path, 64));
        }
        m_supplies.emplace(name, std::move(supply));
    }
}

QByteArray LinuxPowerSupply::text(Supply& supply, const char* attribute)
{
    const auto it =
        supply.files.find(QByteArray::fromRawData(attribute, qsizetype(std::strlen(attribute))));
    if (it == supply.files.end())
        return {};
    const std::string_view contents = it->second->read();
    return it->second->ok() ? trimmed(contents) : QByteArray();
}

std::optional<qint64> LinuxPowerSupply::number(Supply& supply, const char* attribute)
{
    const QByteArray value = text(supply, attribute);
    qint64 n = 0;
    const auto [end, error] =
        std::from_chars(value.constData(), value.constData() + value.size(), n);
    if (value.isEmpty() || error != std::errc() || end != value.constData() + value.size())
        return std::nullopt;
    return n;
}

std::optional<QVariantMap> LinuxPowerSupply::batteryProperties()
{
    refreshSupplies();
    Supply* battery = nullptr;
    bool anyExternalSupply = false;
    bool externalOnline = false;
    for (auto& [name, supply] : m_supplies) {
        if (supply.type == "Battery") {
            // A mouse's or headset's battery is not the machine's.
            if (!battery && supply.scope != "Device")
                battery = &supply;
        } else if (supply.type == "Mains" || supply.type.startsWith("USB")) {
            anyExternalSupply = true;
            if (number(supply, "online").value_or(0) == 1)
                externalOnline = true;
        }
    }
    if (!battery)
        return std::nullopt;

    const QByteArray status = text(*battery, "status");
    const std::optional<qint64> capacity = number(*battery, "capacity");
    if (status.isEmpty() && !capacity)
        return std::nullopt;

    QVariantMap properties;
    if (capacity)
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
    if (const auto cycles = number(*battery, "cycle_count"); cycles && *cycles >= 0)
        properties.insert(QStringLiteral("CycleCount"), *cycles);
    auto health =
        healthPercent(number(*battery, "energy_full"), number(*battery, "energy_full_design"));
    if (!health)
        health =
            healthPercent(number(*battery, "charge_full"), number(*battery, "charge_full_design"));
    if (health)
        properties.insert(QStringLiteral("MaxCapacity"), *health);

    const auto microvolts = number(*battery, "voltage_now");
    if (microvolts && *microvolts > 0) {
        const qint64 millivolts = *microvolts / 1000;
        properties.insert(QStringLiteral("Voltage"), millivolts);
        std::optional<qint64> microamps = number(*battery, "current_now");
        if (!microamps) {
            if (const auto microwatts = number(*battery, "power_now"))
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
