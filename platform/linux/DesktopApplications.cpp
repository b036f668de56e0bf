// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/DesktopApplications.h"

#include "platform/linux/DesktopEntry.h"
#include "platform/linux/ProcFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocale>
#include <QSet>

namespace corvanite {

namespace {

// systemd escapes unit-name characters as \xNN.
QString unescapeUnit(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 3 < text.size() &&
            text[i + 1] == QLatin1Char('x')) {
            bool ok = false;
            const int code = text.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString localized(const QHash<QString, QString>& keys, const QString& key, const QString& locale)
{
    // Name[de_DE], then Name[de], then Name.
    QStringList tries;
    if (!locale.isEmpty()) {
        tries << locale;
        if (const qsizetype cut = locale.indexOf(QLatin1Char('_')); cut > 0)
            tries << locale.left(cut);
    }
    for (const QString& lang : tries) {
        const auto it = keys.constFind(key + QLatin1Char('[') + lang + QLatin1Char(']'));
        if (it != keys.constEnd())
            return DesktopEntry::unescapeString(*it);
    }
    return DesktopEntry::unescapeString(keys.value(key));
}

bool isGenericLauncher(const QString& program)
{
    static const QStringList launchers{
        QStringLiteral("sh"),     QStringLiteral("bash"),     QStringLiteral("dash"),
        QStringLiteral("env"),    QStringLiteral("flatpak"),  QStringLiteral("snap"),
        QStringLiteral("python"), QStringLiteral("python3"),  QStringLiteral("perl"),
        QStringLiteral("java"),   QStringLiteral("xdg-open"), QStringLiteral("gio"),
        QStringLiteral("pkexec"), QStringLiteral("sudo")};
    return launchers.contains(program);
}

// The program an Exec line starts: its first argument's base name, or for a Flatpak launch the
// command it runs inside the sandbox.
QString execProgram(const QStringList& exec)
{
    if (exec.isEmpty())
        return {};
    const QString first = QFileInfo(exec.first()).fileName();
    if (first == QLatin1String("flatpak")) {
        for (const QString& arg : exec) {
            if (arg.startsWith(QStringLiteral("--command=")))
                return QFileInfo(arg.mid(10)).fileName();
        }
    }
    return first;
}

} // namespace

DesktopApplications::DesktopApplications(QStringList dataDirs, QString root, QString localeName)
    : m_dataDirs(std::move(dataDirs))
    , m_root(std::move(root))
    , m_locale(localeName.isEmpty() ? QLocale::system().name() : std::move(localeName))
{
}

DesktopApplications::~DesktopApplications() = default;

QStringList DesktopApplications::standardDataDirs()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(home))
        home = QDir::homePath() + QStringLiteral("/.local/share");
    QStringList dirs{home};
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : system.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            dirs.append(dir);
    }
    return dirs;
}

QStringList DesktopApplications::idsFromUnit(const QString& unit)
{
    QString name = unit;
    if (!name.startsWith(QStringLiteral("app-")))
        return {};
    name.remove(0, 4);
    if (name.endsWith(QStringLiteral(".scope"))) {
        name.chop(6);
        const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
        if (dash <= 0)
            return {};
        name.truncate(dash); // the instance number
    } else if (name.endsWith(QStringLiteral(".service"))) {
        name.chop(8);
        if (const qsizetype at = name.indexOf(QLatin1Char('@')); at >= 0)
            name.truncate(at);
    } else {
        return {};
    }
    if (name.isEmpty())
        return {};
    // With a launcher prefix ("app-gnome-<id>-…") the id follows the first dash.
    QStringList ids{unescapeUnit(name)};
    if (const qsizetype dash = name.indexOf(QLatin1Char('-')); dash > 0 && dash + 1 < name.size())
        ids.append(unescapeUnit(name.mid(dash + 1)));
    return ids;
}

void DesktopApplications::loadEntries()
{
    m_loaded = true;
    m_byId.clear();
    m_order.clear();
    QSet<QString> seen;
    for (const QString& dataDir : std::as_const(m_dataDirs)) {
        const QString folder = dataDir + QStringLiteral("/applications");
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // The id of applications/foo/bar.desktop is foo-bar; earlier folders win, also
            // when the earlier entry hides or deletes the application.
            QString id = QDir(folder).relativeFilePath(path);
            id.chop(8);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (seen.contains(id))
                continue;
            seen.insert(id);
            const std::optional<QHash<QString, QString>> keys = DesktopEntry::readGroup(path);
            if (!keys || keys->value(QStringLiteral("Type")) != QLatin1String("Application") ||
                DesktopEntry::boolean(keys->value(QStringLiteral("Hidden"))).value_or(false) ||
                DesktopEntry::boolean(keys->value(QStringLiteral("NoDisplay"))).value_or(false))
                continue;
            Entry entry;
            entry.app.localizedName = localized(*keys, QStringLiteral("Name"), m_locale);
            entry.app.iconName = DesktopEntry::unescapeString(keys->value(QStringLiteral("Icon")));
            const std::optional<QStringList> exec =
                DesktopEntry::splitExec(keys->value(QStringLiteral("Exec")));
            if (exec)
                entry.program = execProgram(*exec);
            // An entry that starts a shell or an interpreter says nothing about other
            // processes of that program.
            if (isGenericLauncher(entry.program))
                entry.program.clear();
            entry.wmClass = keys->value(QStringLiteral("StartupWMClass")).toLower();
            m_byId.insert(id, entry);
            m_order.append(id);
        }
    }
    watchFolders();
}

void DesktopApplications::watchFolders()
{
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        QObject::connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, m_watcher.get(),
                         [this] { foldersChanged(); });
    }
    if (const QStringList watched = m_watcher->directories(); !watched.isEmpty())
        m_watcher->removePaths(watched);
    // The data folders themselves too, so an applications/ folder made later is seen.
    QStringList folders;
    for (const QString& dataDir : std::as_const(m_dataDirs)) {
        if (QFileInfo(dataDir).isDir())
            folders.append(dataDir);
        const QString apps = dataDir + QStringLiteral("/applications");
        if (!QFileInfo(apps).isDir())
            continue;
        folders.append(apps);
        QDirIterator sub(apps, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (sub.hasNext())
            folders.append(sub.next());
    }
    if (!folders.isEmpty())
        m_watcher->addPaths(folders);
}

void DesktopApplications::foldersChanged()
{
    // Read again on the next question; what was answered before may now be wrong.
    m_loaded = false;
    ++m_generation;
}

bool DesktopApplications::isEntryOf(const Entry& entry, const QString& program)
{
    return (!entry.program.isEmpty() && entry.program == program) ||
           (!entry.wmClass.isEmpty() && entry.wmClass == program.toLower());
}

QString DesktopApplications::unitOf(qint32 pid) const
{
    const QByteArray text =
        ProcFile::readOnce(pathUnderRoot(m_root, "proc/") + QByteArray::number(pid) + "/cgroup");
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith("0::"))
            return QString::fromUtf8(line.mid(3)).section(QLatin1Char('/'), -1);
    }
    return {};
}

QString DesktopApplications::executableOf(qint32 pid) const
{
    const QString exe = QFile::symLinkTarget(
        QFile::decodeName(pathUnderRoot(m_root, "proc/") + QByteArray::number(pid) + "/exe"));
    if (!exe.isEmpty())
        return QFileInfo(exe).fileName();
    QByteArray comm =
        ProcFile::readOnce(pathUnderRoot(m_root, "proc/") + QByteArray::number(pid) + "/comm");
    return QString::fromUtf8(comm.trimmed());
}

std::optional<RunningApplication> DesktopApplications::application(qint32 pid)
{
    if (pid <= 0)
        return std::nullopt;
    if (!m_loaded)
        loadEntries();
    const QString program = executableOf(pid);
    if (program.isEmpty())
        return std::nullopt;
    for (const QString& id : idsFromUnit(unitOf(pid))) {
        if (const auto it = m_byId.constFind(id);
            it != m_byId.constEnd() && isEntryOf(*it, program))
            return it->app;
    }
    for (const QString& id : std::as_const(m_order)) {
        const Entry& entry = m_byId[id];
        if (isEntryOf(entry, program))
            return entry.app;
    }
    return std::nullopt;
}

} // namespace corvanite
