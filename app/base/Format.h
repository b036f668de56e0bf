// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

#include <QLocale>
#include <QString>
#include <QTime>

namespace corvanite {

// Short display strings for readings. Byte and rate patterns are fixed ASCII whatever the
// language; texts with words come from localisation keys.
namespace Format {

// 512 B, 1.5 KB, 3.2 GB (multiples of 1024, up to TB).
QString byteString(quint64 bytes);
// 12 B/s, 340 KB/s, 1.2 MB/s (multiples of 1000).
QString speedString(double bytesPerSecond);
// 12B, 340K, 1.2M: the same steps without spaces or "/s".
QString compactSpeed(double bytesPerSecond);
// Days and hours, hours and minutes, or minutes and seconds, in the interface language.
QString uptime(double seconds);
// The time of day in the desktop's locale (not the interface language): two-digit hour, minute
// and second, with the locale's 12- or 24-hour clock but no AM/PM marker.
QString currentTime(const Clock& clock = Clock::system(),
                    const QLocale& locale = QLocale::system());
// The pattern part of currentTime, for a given time.
QString timeOfDay(QTime time, const QLocale& locale);

// Truncates toward zero into the 64-bit range, saturating at its ends; NaN gives 0.
qint64 saturatingTruncate(double value);

} // namespace Format

} // namespace corvanite
