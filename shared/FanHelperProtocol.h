// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite {

// The one remote interface between the application and the fan helper daemon.
//
// Transport: the D-Bus system bus. The daemon owns the bus name `fanHelperMachName` and serves
// one object at `FanHelperProtocol::objectPath` with the interface
// `FanHelperProtocol::interfaceName`:
//
//   GetVersion()        -> s   the daemon's version text (`fanHelperVersion`)
//   ReadFans()          -> ay  the fans as the JSON of FanReading::encodeList
//   SetFanFloor(x rpm)  -> b   force every fan to rpm, limited to 0 and each fan's maximum;
//                              counts as a heartbeat; false when a write failed or the CPU is
//                              at its safety limit
//   ReleaseControl()    -> b   every fan back to automatic control; always true
//   Heartbeat()                one-way: the daemon never replies, so send it without
//                              expecting a reply (QDBusConnection::send)
//
// A caller the daemon does not accept gets org.freedesktop.DBus.Error.AccessDenied. A call with
// other argument types gets org.freedesktop.DBus.Error.UnknownMethod and changes nothing.
inline constexpr char fanHelperMachName[] = "com.corvanite.helper";
inline constexpr char fanHelperVersion[] = "0.0.15";

namespace FanHelperProtocol {

inline constexpr char objectPath[] = "/com/corvanite/helper";
inline constexpr char interfaceName[] = "com.corvanite.helper.FanHelper";

inline constexpr char getVersionMethod[] = "GetVersion";
inline constexpr char readFansMethod[] = "ReadFans";
inline constexpr char setFanFloorMethod[] = "SetFanFloor";
inline constexpr char releaseControlMethod[] = "ReleaseControl";
inline constexpr char heartbeatMethod[] = "Heartbeat";

// The polkit action a caller must be granted: the user of an active local session.
inline constexpr char controlAction[] = "com.corvanite.helper.control";

inline QString serviceName()
{
    return QString::fromLatin1(fanHelperMachName);
}

} // namespace FanHelperProtocol

} // namespace corvanite
