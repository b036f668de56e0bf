// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/SnapshotCommand.h"

#include "app/sampling/SnapshotBuilder.h"
#include "app/sampling/SnapshotJson.h"
#include "platform/Clock.h"

#include <QJsonDocument>

#include <chrono>
#include <thread>

namespace corvanite {

int runSnapshotCommand(SystemSources sources, const Clock& clock, FILE* out)
{
    sources.fillMissingWithEmpty();
    SnapshotBuilder builder(sources, clock);
    const PassFlags everything{true, true, true, true};
    builder.build(everything, {});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Snapshot snapshot = builder.build(everything, {});

    std::optional<double> uptime;
    if (const std::optional<double> boot = sources.bootTime->readBootTime())
        uptime = clock.unixNow() - *boot;
    const QByteArray json =
        QJsonDocument(SnapshotJson::toJson(snapshot, uptime)).toJson(QJsonDocument::Indented);
    const bool written =
        std::fwrite(json.constData(), 1, json.size(), out) == static_cast<size_t>(json.size());
    return written && std::fflush(out) == 0 ? 0 : 1;
}

} // namespace corvanite
