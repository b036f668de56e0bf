// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SmcDevice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace corvanite {

class ProcFile;

// The controller's keys answered from the kernel's hardware monitors under `root`:
// CPU keys from the CPU package and core sensors (coretemp, k10temp, zenpower, cpu_thermal, or
// the CPU thermal zones when no such monitor exists), GPU keys from GPU monitors, "TB0T" from
// the battery, "Ts0P"/"Ts1P" from skin or chassis thermal zones; "FNum" and "F<i>Ac/Mn/Mx/Tg/Md"
// from each monitor's fan*_input and pwm* files. Temperatures come as °C, speeds as RPM.
//
// Which file backs which key is worked out once, and again only when opened after a backing
// file went away. The files are kept open and re-read. A forced fan's pwm*_enable is put back
// to the value it had before the first forced write when the fan is released (writing 0 to its
// mode key) and when this object goes away; 0 is never written there, as some drivers read it
// as "full speed". Thread-safe.
//
// With a `savedModesPath`, the saved values also go to that file (root-only) before a fan is
// forced, so another process can still hand the fans back after this one died without releasing
// them. A fan found forced with no saved value anywhere goes back to 2, the kernel's automatic
// mode.
class HwmonSmc final : public SmcDevice {
public:
    explicit HwmonSmc(QString root = QStringLiteral("/"), QString savedModesPath = {});
    ~HwmonSmc() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    std::optional<SMCParamStruct> call(const SMCParamStruct& input) override;

    // Each answered key with the file behind it ("Tp01 /sys/class/hwmon/hwmon3/temp1_input"),
    // for the log and the diagnostics.
    QStringList describeKeys();

private:
    enum class Role { Temperature, FanCount, FanActual, FanMin, FanMax, FanTarget, FanMode };
    struct Binding {
        Role role;
        int index; // temperature or fan index
    };
    struct Temperature {
        std::unique_ptr<ProcFile> file;
        double scale;                         // file units to °C
        std::shared_ptr<ProcFile> powerState; // a GPU's runtime power state, when it has one
    };
    struct Fan {
        std::unique_ptr<ProcFile> input;
        std::unique_ptr<ProcFile> min;
        std::unique_ptr<ProcFile> max;
        std::unique_ptr<ProcFile> target;
        std::unique_ptr<ProcFile> pwm;
        std::unique_ptr<ProcFile> pwmEnable;
        std::shared_ptr<ProcFile> powerState;
    };

    void scan();
    void bindTemperature(const char* key, const QByteArray& path, double scale,
                         std::shared_ptr<ProcFile> powerState = nullptr);
    static bool isAsleep(const std::shared_ptr<ProcFile>& powerState);
    std::optional<SMCKeyInfo> keyInfo(const Binding& binding) const;
    std::optional<double> readNumber(ProcFile& file);
    std::optional<SMCParamStruct> read(std::uint32_t key, const Binding& binding);
    bool write(const Binding& binding, std::span<const std::uint8_t, smc::kMaxDataSize> data);
    bool writeTarget(Fan& fan, double rpm);
    bool writeMode(Fan& fan, std::uint8_t mode);
    void restoreAll();
    void loadSavedModes();
    void storeSavedModes() const;

    const QString m_root;
    const QString m_savedModesPath;
    mutable std::mutex m_mutex;
    std::map<std::uint32_t, Binding> m_keys;
    std::vector<Temperature> m_temperatures;
    std::vector<Fan> m_fans;
    // pwm*_enable path → its contents before this process first forced the fan.
    std::map<QByteArray, QByteArray> m_savedEnable;
    bool m_savedModesLoaded = false;
    bool m_scanned = false;
    bool m_open = false;
    bool m_lost = false;
};

} // namespace corvanite
