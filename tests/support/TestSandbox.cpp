// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSandbox.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace corvanite::test {

namespace {
TestSandbox* s_current = nullptr;
}

TestSandbox::TestSandbox()
    : m_dir(QDir::tempPath() + QStringLiteral("/corvanite-test-XXXXXX"))
{
    const QString home = m_dir.path() + QStringLiteral("/home");
    const QString runtime = m_dir.path() + QStringLiteral("/runtime");
    QDir().mkpath(home);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", (home + QStringLiteral("/.local/state")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    s_current = this;
}

TestSandbox& TestSandbox::current()
{
    return *s_current;
}

} // namespace corvanite::test
