// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/HwmonSmc.h"

#include "platform/linux/ProcFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanite {

namespace {

// One sensor per key, in this order: the keys both programs read come first, so the package
// sensors (listed first) reach the application's temperature reader and the helper's safety limit.
constexpr const char* kCpuKeys[] = {"Tp01", "Tp09", "Tp0D", "Tp0X", "Tp0Y", "Tp0E", "Tp0A",
                                    "Tp0C", "Tp05", "Tp0H", "Tp0L", "Tp0P", "Tp0T", "Tp0b",
                                    "TC0P", "TC1C", "TC2C", "TC3C", "TC4C"};
constexpr const char* kGpuKeys[] = {"Tg0D", "Tg05", "Tg0L", "Tg0J", "Tg0b", "Tg0f"};
constexpr const char* kSurfaceKeys[] = {"Ts0P", "Ts1P"};
constexpr int kMaxFans = 10;

// Beyond these a sensor is broken or reports a fault marker (127 °C, -128 °C, 65535 RPM).
constexpr double kMinValidCelsius = 0.0;
constexpr double kMaxValidCelsius = 150.0;
constexpr double kMaxValidRpm = 30000.0;

constexpr std::uint8_t kAttrReadable = 0x80;
constexpr std::uint8_t kAttrWritable = 0x40;

struct Found {
    QByteArray path;
    int rank;
    int order;
    std::shared_ptr<ProcFile> powerState = nullptr;
};

QString text(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(256)).trimmed();
}

// Entries named prefix + number, in numeric order.
QStringList numbered(const QString& dir, const QString& prefix, const QString& suffix = {})
{
    const QRegularExpression pattern(
        QStringLiteral("^%1(\\d+)%2$")
            .arg(QRegularExpression::escape(prefix), QRegularExpression::escape(suffix)));
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    QList<std::pair<int, QString>> keyed;
    for (const QString& name : names) {
        const auto match = pattern.match(name);
        if (match.hasMatch())
            keyed.append({match.captured(1).toInt(), name});
    }
    std::sort(keyed.begin(), keyed.end());
    QStringList out;
    for (const auto& [n, name] : keyed)
        out.append(name);
    return out;
}

int numberIn(const QString& name)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)"));
    return digits.match(name).captured(1).toInt();
}

bool isCpuMonitor(const QString& name)
{
    return name == QLatin1String("coretemp") || name == QLatin1String("k10temp") ||
           name == QLatin1String("zenpower") || name == QLatin1String("cpu_thermal") ||
           name == QLatin1String("cpu-thermal") || name == QLatin1String("k8temp") ||
           name == QLatin1String("via_cputemp");
}

bool isGpuMonitor(const QString& name)
{
    return name == QLatin1String("amdgpu") || name == QLatin1String("nouveau") ||
           name == QLatin1String("radeon");
}

// The whole-package readings are the hottest or the ones the firmware controls on.
int cpuRank(const QString& label)
{
    if (label.startsWith(QLatin1String("Package")) || label == QLatin1String("Tctl") ||
        label == QLatin1String("Tdie"))
        return 0;
    return 1;
}

bool isCpuZone(const QString& type)
{
    return type == QLatin1String("x86_pkg_temp") || type == QLatin1String("cpu_thermal") ||
           type == QLatin1String("cpu-thermal") || type.startsWith(QLatin1String("cpu"));
}

std::optional<int> surfaceRank(const QString& type)
{
    const QString t = type.toLower();
    if (t.contains(QLatin1String("skin")) || t.contains(QLatin1String("chassis")) ||
        t.contains(QLatin1String("surface")) || t.contains(QLatin1String("case")))
        return 0;
    if (t == QLatin1String("acpitz"))
        return 1;
    return std::nullopt;
}

std::unique_ptr<ProcFile> fileIfExists(const QString& path)
{
    if (!QFile::exists(path))
        return nullptr;
    return std::make_unique<ProcFile>(QFile::encodeName(path), 64);
}

bool writeText(const QByteArray& path, const QByteArray& contents)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    ssize_t n;
    do {
        n = ::write(fd, contents.constData(), std::size_t(contents.size()));
    } while (n < 0 && errno == EINTR);
    const bool ok = n == contents.size();
    return ::close(fd) == 0 && ok;
}

SMCParamStruct answerFor(std::uint32_t key)
{
    SMCParamStruct answer;
    answer.setKey(key);
    return answer;
}

} // namespace

HwmonSmc::HwmonSmc(QString root, QString savedModesPath)
    : m_root(std::move(root))
    , m_savedModesPath(std::move(savedModesPath))
{
}

HwmonSmc::~HwmonSmc()
{
    const std::lock_guard lock(m_mutex);
    restoreAll();
}

bool HwmonSmc::open()
{
    const std::lock_guard lock(m_mutex);
    if (!m_scanned || m_lost)
        scan();
    m_open = true;
    return true;
}

void HwmonSmc::close()
{
    const std::lock_guard lock(m_mutex);
    m_open = false;
}

bool HwmonSmc::isOpen() const
{
    const std::lock_guard lock(m_mutex);
    return m_open;
}

void HwmonSmc::bindTemperature(const char* key, const QByteArray& path, double scale,
                               std::shared_ptr<ProcFile> powerState)
{
    m_keys[smc::keyCode(key)] = Binding{Role::Temperature, int(m_temperatures.size())};
    m_temperatures.push_back(
        Temperature{std::make_unique<ProcFile>(path, 64), scale, std::move(powerState)});
}

// Reading a sleeping graphics card's sensors wakes it up (a hybrid laptop's discrete GPU would
// never rest while the panel is open): while it sleeps it has no reading.
bool HwmonSmc::isAsleep(const std::shared_ptr<ProcFile>& powerState)
{
    if (!powerState)
        return false;
    const std::string_view state = powerState->read();
    return powerState->ok() && state.substr(0, 9) == "suspended";
}

void HwmonSmc::scan()
{
    m_keys.clear();
    m_temperatures.clear();
    m_fans.clear();
    m_scanned = true;
    m_lost = false;

    const QString root = m_root.endsWith(QLatin1Char('/')) ? m_root : m_root + QLatin1Char('/');
    const QString hwmonDir = root + QStringLiteral("sys/class/hwmon/");
    std::vector<Found> cpu;
    std::vector<Found> gpu;
    int order = 0;
    for (const QString& hwmon : numbered(hwmonDir, QStringLiteral("hwmon"))) {
        const QString dir = hwmonDir + hwmon + QLatin1Char('/');
        const QString name = text(dir + QStringLiteral("name"));
        const bool isCpu = isCpuMonitor(name);
        const bool isGpu = isGpuMonitor(name);
        std::shared_ptr<ProcFile> powerState;
        if (isGpu)
            powerState = fileIfExists(dir + QStringLiteral("device/power/runtime_status"));
        if (isCpu || isGpu) {
            for (const QString& input :
                 numbered(dir, QStringLiteral("temp"), QStringLiteral("_input"))) {
                const int n = numberIn(input);
                const QString label = text(dir + QStringLiteral("temp%1_label").arg(n));
                const Found found{QFile::encodeName(dir + input), isCpu ? cpuRank(label) : 0,
                                  order++, powerState};
                (isCpu ? cpu : gpu).push_back(found);
            }
        }
        for (const QString& input :
             numbered(dir, QStringLiteral("fan"), QStringLiteral("_input"))) {
            if (int(m_fans.size()) >= kMaxFans)
                break;
            const int n = numberIn(input);
            Fan fan;
            fan.input = fileIfExists(dir + input);
            fan.powerState = powerState;
            fan.min = fileIfExists(dir + QStringLiteral("fan%1_min").arg(n));
            fan.max = fileIfExists(dir + QStringLiteral("fan%1_max").arg(n));
            fan.target = fileIfExists(dir + QStringLiteral("fan%1_target").arg(n));
            fan.pwm = fileIfExists(dir + QStringLiteral("pwm%1").arg(n));
            fan.pwmEnable = fileIfExists(dir + QStringLiteral("pwm%1_enable").arg(n));
            m_fans.push_back(std::move(fan));
        }
    }

    const QString thermalDir = root + QStringLiteral("sys/class/thermal/");
    std::vector<Found> surface;
    std::vector<Found> cpuZones;
    for (const QString& zone : numbered(thermalDir, QStringLiteral("thermal_zone"))) {
        const QString dir = thermalDir + zone + QLatin1Char('/');
        if (!QFile::exists(dir + QStringLiteral("temp")))
            continue;
        const QString type = text(dir + QStringLiteral("type"));
        const QByteArray path = QFile::encodeName(dir + QStringLiteral("temp"));
        if (const auto rank = surfaceRank(type))
            surface.push_back(Found{path, *rank, order++});
        else if (isCpuZone(type))
            cpuZones.push_back(Found{path, 0, order++});
    }
    // The zones are the same sensors seen another way; use them only without a CPU monitor.
    if (cpu.empty())
        cpu = cpuZones;

    const auto byRank = [](const Found& a, const Found& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.order < b.order;
    };
    std::sort(cpu.begin(), cpu.end(), byRank);
    std::sort(surface.begin(), surface.end(), byRank);
    for (std::size_t i = 0; i < cpu.size() && i < std::size(kCpuKeys); ++i)
        bindTemperature(kCpuKeys[i], cpu[i].path, 0.001);
    for (std::size_t i = 0; i < gpu.size() && i < std::size(kGpuKeys); ++i)
        bindTemperature(kGpuKeys[i], gpu[i].path, 0.001, gpu[i].powerState);
    for (std::size_t i = 0; i < surface.size() && i < std::size(kSurfaceKeys); ++i)
        bindTemperature(kSurfaceKeys[i], surface[i].path, 0.001);

    // power_supply reports the battery in tenths of a degree.
    const QString supplyDir = root + QStringLiteral("sys/class/power_supply/");
    const QStringList supplies = QDir(supplyDir).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& supply : supplies) {
        const QString dir = supplyDir + supply + QLatin1Char('/');
        if (text(dir + QStringLiteral("type")) == QLatin1String("Battery") &&
            QFile::exists(dir + QStringLiteral("temp"))) {
            bindTemperature("TB0T", QFile::encodeName(dir + QStringLiteral("temp")), 0.1);
            break;
        }
    }

    if (!m_fans.empty())
        m_keys[smc::keyCode("FNum")] = Binding{Role::FanCount, 0};
    for (int i = 0; i < int(m_fans.size()); ++i) {
        const Fan& fan = m_fans[std::size_t(i)];
        const auto bind = [this, i](const char* suffix, Role role) {
            const QByteArray key = QByteArray("F") + QByteArray::number(i) + suffix;
            m_keys[smc::keyCode(std::string_view(key.constData(), std::size_t(key.size())))] =
                Binding{role, i};
        };
        bind("Ac", Role::FanActual);
        if (fan.min)
            bind("Mn", Role::FanMin);
        if (fan.max)
            bind("Mx", Role::FanMax);
        if (fan.target || (fan.pwm && fan.max))
            bind("Tg", Role::FanTarget);
        if (fan.pwmEnable)
            bind("Md", Role::FanMode);
    }
}

std::optional<SMCKeyInfo> HwmonSmc::keyInfo(const Binding& binding) const
{
    switch (binding.role) {
    case Role::FanCount:
        return SMCKeyInfo{1, smc::typeCode("ui8 "), kAttrReadable};
    case Role::FanMode:
        return SMCKeyInfo{1, smc::typeCode("ui8 "), std::uint8_t(kAttrReadable | kAttrWritable)};
    case Role::FanTarget:
        return SMCKeyInfo{4, smc::typeCode("flt "), std::uint8_t(kAttrReadable | kAttrWritable)};
    case Role::Temperature:
    case Role::FanActual:
    case Role::FanMin:
    case Role::FanMax:
        return SMCKeyInfo{4, smc::typeCode("flt "), kAttrReadable};
    }
    return std::nullopt;
}

std::optional<double> HwmonSmc::readNumber(ProcFile& file)
{
    std::string_view contents = file.read();
    if (!file.ok()) {
        // A file that is gone means its device went; the next open looks again.
        if (::access(file.path().constData(), F_OK) != 0)
            m_lost = true;
        return std::nullopt;
    }
    while (!contents.empty() && (contents.back() == '\n' || contents.back() == ' '))
        contents.remove_suffix(1);
    long long value = 0;
    const auto [end, error] =
        std::from_chars(contents.data(), contents.data() + contents.size(), value);
    if (error != std::errc() || end != contents.data() + contents.size() || contents.empty())
        return std::nullopt;
    return double(value);
}

std::optional<SMCParamStruct> HwmonSmc::read(std::uint32_t key, const Binding& binding)
{
    SMCParamStruct answer = answerFor(key);
    answer.setKeyInfo(*keyInfo(binding));
    const auto floatAnswer = [&answer](double value) {
        const auto bytes = smc::encodeFloat(float(value));
        answer.setData(bytes);
        return answer;
    };
    const auto byteAnswer = [&answer](std::uint8_t value) {
        const std::uint8_t bytes[1] = {value};
        answer.setData(bytes);
        return answer;
    };
    const auto rpm = [this](ProcFile* file) -> std::optional<double> {
        if (!file)
            return std::nullopt;
        const auto value = readNumber(*file);
        if (!value || *value < 0 || *value > kMaxValidRpm)
            return std::nullopt;
        return value;
    };

    if (binding.role == Role::Temperature) {
        Temperature& t = m_temperatures[std::size_t(binding.index)];
        if (isAsleep(t.powerState))
            return std::nullopt;
        const auto raw = readNumber(*t.file);
        if (!raw)
            return std::nullopt;
        const double celsius = *raw * t.scale;
        if (celsius <= kMinValidCelsius || celsius >= kMaxValidCelsius)
            return std::nullopt;
        return floatAnswer(celsius);
    }
    if (binding.role == Role::FanCount)
        return byteAnswer(std::uint8_t(m_fans.size()));

    Fan& fan = m_fans[std::size_t(binding.index)];
    if (isAsleep(fan.powerState))
        return std::nullopt;
    switch (binding.role) {
    case Role::FanActual:
        if (const auto v = rpm(fan.input.get()))
            return floatAnswer(*v);
        return std::nullopt;
    case Role::FanMin:
        if (const auto v = rpm(fan.min.get()))
            return floatAnswer(*v);
        return std::nullopt;
    case Role::FanMax:
        if (const auto v = rpm(fan.max.get()))
            return floatAnswer(*v);
        return std::nullopt;
    case Role::FanTarget: {
        if (fan.target) {
            if (const auto v = rpm(fan.target.get()))
                return floatAnswer(*v);
            return std::nullopt;
        }
        // Open loop: the duty cycle as a share of the fan's top speed.
        const auto duty = readNumber(*fan.pwm);
        const auto max = rpm(fan.max.get());
        if (!duty || *duty < 0 || *duty > 255 || !max)
            return std::nullopt;
        return floatAnswer(*duty / 255.0 * *max);
    }
    case Role::FanMode: {
        const auto mode = readNumber(*fan.pwmEnable);
        if (!mode)
            return std::nullopt;
        return byteAnswer(*mode == 1 ? 1 : 0);
    }
    case Role::Temperature:
    case Role::FanCount:
        break;
    }
    return std::nullopt;
}

bool HwmonSmc::writeTarget(Fan& fan, double rpm)
{
    if (!std::isfinite(rpm))
        return false;
    rpm = std::max(rpm, 0.0);
    if (fan.target)
        return writeText(fan.target->path(), QByteArray::number(qint64(std::lround(rpm))));
    const auto max = fan.max ? readNumber(*fan.max) : std::nullopt;
    if (!fan.pwm || !max || *max <= 0)
        return false;
    const long duty = std::clamp(std::lround(rpm / *max * 255.0), 0L, 255L);
    return writeText(fan.pwm->path(), QByteArray::number(qint64(duty)));
}

bool HwmonSmc::writeMode(Fan& fan, std::uint8_t mode)
{
    // A previous instance may have died while forcing: its saved values come first, or the
    // manual mode it left behind would be taken for the driver's own.
    loadSavedModes();
    const QByteArray& path = fan.pwmEnable->path();
    if (mode == 1) {
        if (!m_savedEnable.count(path)) {
            const std::string_view current = fan.pwmEnable->read();
            if (!fan.pwmEnable->ok())
                return false;
            m_savedEnable[path] = QByteArray(current.data(), qsizetype(current.size())).trimmed();
            // Stored before the fan is touched, so no forced fan is ever without its record.
            storeSavedModes();
        }
        return writeText(path, "1");
    }
    if (mode != 0)
        return false;
    const auto saved = m_savedEnable.find(path);
    if (saved == m_savedEnable.end()) {
        if (m_savedModesPath.isEmpty())
            return true; // never forced by us: it is already in the hands of its driver
        // Forced with its record lost: the kernel's automatic mode is the safe way back.
        const auto current = readNumber(*fan.pwmEnable);
        return current != 1.0 || writeText(path, "2");
    }
    const bool ok = writeText(path, saved->second);
    if (ok) {
        m_savedEnable.erase(saved);
        storeSavedModes();
    }
    return ok;
}

bool HwmonSmc::write(const Binding& binding, std::span<const std::uint8_t, smc::kMaxDataSize> data)
{
    if (binding.role != Role::FanTarget && binding.role != Role::FanMode)
        return false;
    Fan& fan = m_fans[std::size_t(binding.index)];
    if (binding.role == Role::FanTarget)
        return writeTarget(fan, double(*smc::decodeFloat(data)));
    return writeMode(fan, data[0]);
}

void HwmonSmc::restoreAll()
{
    // Only what this instance knows of; a dead instance's records wait for the next release.
    std::map<QByteArray, QByteArray> failed;
    for (const auto& [path, value] : m_savedEnable)
        if (!writeText(path, value))
            failed.emplace(path, value);
    m_savedEnable = std::move(failed);
    if (m_savedModesLoaded)
        storeSavedModes();
}

// One "path<TAB>value" line per forced fan.
void HwmonSmc::loadSavedModes()
{
    if (m_savedModesLoaded || m_savedModesPath.isEmpty())
        return;
    m_savedModesLoaded = true;
    QFile file(m_savedModesPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        const QByteArray path = line.left(tab);
        const QByteArray value = line.mid(tab + 1).trimmed();
        bool number = false;
        const int mode = value.toInt(&number);
        // Nothing but a small mode number is ever written back; 0 would mean full speed.
        if (!number || mode < 1 || mode > 9 || !path.endsWith("_enable"))
            continue;
        m_savedEnable.emplace(path, value);
    }
}

void HwmonSmc::storeSavedModes() const
{
    if (m_savedModesPath.isEmpty())
        return;
    if (m_savedEnable.empty()) {
        QFile::remove(m_savedModesPath);
        return;
    }
    // The folder is the daemon's own: nobody else reads or plants records there.
    const QFileInfo folderInfo(QFileInfo(m_savedModesPath).absolutePath());
    QDir().mkpath(folderInfo.absolutePath());
    const QByteArray folder = QFile::encodeName(folderInfo.absoluteFilePath());
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return;
    QByteArray text;
    for (const auto& [path, value] : m_savedEnable)
        text += path + '\t' + value + '\n';
    QSaveFile file(m_savedModesPath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(text);
    if (file.commit())
        QFile::setPermissions(m_savedModesPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

std::optional<SMCParamStruct> HwmonSmc::call(const SMCParamStruct& input)
{
    const std::lock_guard lock(m_mutex);
    if (!m_open)
        return std::nullopt;
    const std::uint32_t key = input.key();
    const auto it = m_keys.find(key);
    if (it == m_keys.end()) {
        SMCParamStruct answer = answerFor(key);
        answer.setResult(smc::kResultKeyNotFound);
        return input.command() == std::uint8_t(smc::Command::WriteBytes)
                   ? std::nullopt
                   : std::optional<SMCParamStruct>(answer);
    }
    switch (input.command()) {
    case std::uint8_t(smc::Command::ReadKeyInfo): {
        SMCParamStruct answer = answerFor(key);
        answer.setKeyInfo(*keyInfo(it->second));
        return answer;
    }
    case std::uint8_t(smc::Command::ReadBytes):
        return read(key, it->second);
    case std::uint8_t(smc::Command::WriteBytes):
        if (!write(it->second, input.data()))
            return std::nullopt;
        return answerFor(key);
    default:
        return std::nullopt;
    }
}

QStringList HwmonSmc::describeKeys()
{
    const std::lock_guard lock(m_mutex);
    if (!m_scanned || m_lost)
        scan();
    QStringList out;
    for (const auto& [code, binding] : m_keys) {
        const auto chars = smc::keyChars(code);
        QString line = QString::fromLatin1(chars.data(), 4);
        if (binding.role == Role::Temperature)
            line += QLatin1Char(' ') +
                    QFile::decodeName(m_temperatures[std::size_t(binding.index)].file->path());
        else if (binding.role != Role::FanCount)
            line += QLatin1Char(' ') +
                    QFile::decodeName(m_fans[std::size_t(binding.index)].input->path());
        out.append(line);
    }
    return out;
}

} // namespace corvanite
