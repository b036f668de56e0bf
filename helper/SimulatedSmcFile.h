// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SmcDevice.h"
#include "platform/sim/SimulatedSmc.h"

#include <QString>
#include <QStringList>

namespace corvanite {

// For test runs of the daemon in its own process: a SimulatedSmc whose keys come from a JSON
// file and go back to it after every write, so the test can stage a machine and watch what the
// daemon wrote. The file:
//   {"floats": {"F0Ac": 1200, ...}, "bytes": {"FNum": 2, ...}, "failing": ["FNum"],
//    "writes": ["F0Md=01", ...]}    ("writes" is appended by the daemon)
class SimulatedSmcFile final : public SmcDevice {
public:
    explicit SimulatedSmcFile(QString path);

    bool open() override;
    void close() override;
    bool isOpen() const override;
    std::optional<SMCParamStruct> call(const SMCParamStruct& input) override;

private:
    void load();
    void save() const;

    const QString m_path;
    SimulatedSmc m_smc;
    QStringList m_floatKeys;
    QStringList m_byteKeys;
    QStringList m_failing;
};

} // namespace corvanite
