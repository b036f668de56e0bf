// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/BatteryRegistry.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>

namespace corvanite {

class ProcFile;

// The system battery under `root`/sys/class/power_supply: the first supply of type "Battery"
// that powers the system (not a peripheral's), with mains or USB supplies for external power.
// sysfs reports µV, µA, µW and µWh/µAh; the properties come out in the units named above.
// Each supply's files are kept open; the folder is listed on every read because chargers come
// and go as supplies of their own.
class LinuxPowerSupply final : public BatteryRegistry {
public:
    explicit LinuxPowerSupply(QString root = QStringLiteral("/"));
    ~LinuxPowerSupply() override;
    std::optional<QVariantMap> batteryProperties() override;

private:
    struct Supply {
        QByteArray type;
        QByteArray scope;
        std::map<QByteArray, std::unique_ptr<ProcFile>> files; // attributes that exist
    };

    void refreshSupplies();
    static std::optional<qint64> number(Supply& supply, const char* attribute);
    static QByteArray text(Supply& supply, const char* attribute);

    const QByteArray m_dir;
    std::map<QByteArray, Supply> m_supplies; // by folder name, in name order
};

} // namespace corvanite
