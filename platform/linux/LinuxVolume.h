// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/VolumeSpace.h"

#include <QString>

namespace corvanite {

// statvfs of the home folder: free = blocks available to an unprivileged user (the space the
// user can actually fill), total = all blocks, both in fragment-size units.
class LinuxVolume final : public VolumeSource {
public:
    // An empty path means $HOME, looked up at each reading.
    explicit LinuxVolume(QString path = {});
    std::optional<VolumeSpace> readHomeVolume() override;

private:
    QString m_path;
};

} // namespace corvanite
