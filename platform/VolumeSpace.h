// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

namespace corvanite {

struct VolumeSpace {
    quint64 freeBytes = 0;  // available to the user
    quint64 totalBytes = 0; // size of the volume

    bool operator==(const VolumeSpace&) const = default;
};

// Free and total space of the volume holding the user's home folder.
class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    // Absent when the volume cannot be queried.
    virtual std::optional<VolumeSpace> readHomeVolume() = 0;
};

} // namespace corvanite
