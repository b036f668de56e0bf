// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace corvanite::test {

// A private copy of a fixture folder under tests/fixtures/, to point a reader's root at. Files
// are rewritten in place (same inode), so a reader that keeps a file open sees the new contents,
// as it would with a live /proc file.
class FixtureTree {
public:
    explicit FixtureTree(const QString& fixture);

    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const;
    // Replaces the contents of `relative`, creating it (and its folders) when missing.
    void write(const QString& relative, const QByteArray& contents) const;
    // Replaces `relative` with the contents of another fixture file (relative to tests/fixtures).
    void writeFrom(const QString& relative, const QString& fixtureFile) const;
    void remove(const QString& relative) const;

    static QByteArray fixture(const QString& fixtureFile);

private:
    QTemporaryDir m_dir;
};

} // namespace corvanite::test
