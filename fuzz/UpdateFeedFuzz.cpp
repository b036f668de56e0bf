// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The update feed's body, and its version compared with ours.
#include "app/settings/UpdateChecker.h"
#include "fuzz/FuzzSupport.h"

#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto feed = parseUpdateFeed(fuzz::bytes(data, size));
    if (!feed)
        return 0;
    if (!UpdateChecker::isWebAddress(feed->url))
        std::abort(); // only a web page may reach the desktop's opener
    const VersionOrder forward = compareVersions(QStringLiteral("0.1.0"), feed->version);
    const VersionOrder backward = compareVersions(feed->version, QStringLiteral("0.1.0"));
    const bool mirrored =
        (forward == VersionOrder::Same && backward == VersionOrder::Same) ||
        (forward == VersionOrder::Ascending && backward == VersionOrder::Descending) ||
        (forward == VersionOrder::Descending && backward == VersionOrder::Ascending);
    if (!mirrored)
        std::abort();
    return 0;
}
