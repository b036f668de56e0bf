// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace corvanite::test {

// Points HOME and the XDG folders at a private temporary folder and drops the session bus
// address, so no test touches the real user's files or buses.
class TestSandbox {
public:
    TestSandbox();
    QString root() const { return m_dir.path(); }
    static TestSandbox& current();

private:
    QTemporaryDir m_dir;
};

} // namespace corvanite::test
