// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace corvanite::test {

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}

} // namespace

FixtureTree::FixtureTree(const QString& fixture)
{
    copyTree(QStringLiteral(CORVANITE_FIXTURES "/") + fixture, m_dir.path());
}

QString FixtureTree::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

void FixtureTree::write(const QString& relative, const QByteArray& contents) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(contents);
}

void FixtureTree::writeFrom(const QString& relative, const QString& fixtureFile) const
{
    write(relative, fixture(fixtureFile));
}

void FixtureTree::remove(const QString& relative) const
{
    const QString target = path(relative);
    if (QFileInfo(target).isDir())
        QDir(target).removeRecursively();
    else
        QFile::remove(target);
}

QByteArray FixtureTree::fixture(const QString& fixtureFile)
{
    QFile in(QStringLiteral(CORVANITE_FIXTURES "/") + fixtureFile);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace corvanite::test
