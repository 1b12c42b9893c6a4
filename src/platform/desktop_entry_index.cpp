#include "platform/desktop_entry_index.h"

#include "platform/startup_environment.h"
#include "util/shell_link.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace pw {

namespace {

// The escapes of a desktop entry's string values: \s \n \t \r \\.
QString UnescapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out.append(c);
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out.append(QLatin1Char(' '));
            break;
        case 'n':
            out.append(QLatin1Char('\n'));
            break;
        case 't':
            out.append(QLatin1Char('\t'));
            break;
        case 'r':
            out.append(QLatin1Char('\r'));
            break;
        case '\\':
            // Kept doubled: the Exec quoting rules read it again.
            out.append(QLatin1String("\\\\"));
            break;
        default:
            out.append(QLatin1Char('\\'));
            out.append(next);
            break;
        }
    }
    return out;
}

bool IsAssignment(const std::string& word) {
    const size_t eq = word.find('=');
    return eq != std::string::npos && eq > 0 && word.find('/') > eq;
}

QString DataHome() {
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home)) {
        return home;
    }
    return QDir::homePath() + QLatin1String("/.local/share");
}

} // namespace

QString DesktopExecProgram(const QString& exec) {
    const std::vector<std::string> words = SplitCommandLine(exec.toStdString());
    size_t i = 0;
    if (i < words.size() && (words[i] == "env" || words[i] == "/usr/bin/env")) {
        ++i;
        while (i < words.size() && IsAssignment(words[i])) {
            ++i;
        }
    }
    if (i >= words.size()) {
        return {};
    }
    return QString::fromStdString(words[i]);
}

QStringList DesktopEntryIndex::ApplicationFolders() {
    QStringList folders{DataHome() + QLatin1String("/applications/")};
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share/:/usr/share/");
    }
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir)) {
            folders.append(QDir::cleanPath(dir) + QLatin1String("/applications/"));
        }
    }
    folders.removeDuplicates();
    return folders;
}

void DesktopEntryIndex::Build(const QStringList& folders) {
    byPath_.clear();
    byName_.clear();
    entries_ = 0;
    QSet<QString> seenIds;
    for (const QString& folder : folders) {
        const QDir base(folder);
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QString id = base.relativeFilePath(file);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (seenIds.contains(id)) {
                continue;
            }
            seenIds.insert(id);
            ReadEntry(file);
        }
    }
    built_ = true;
}

void DesktopEntryIndex::ReadEntry(const QString& file) {
    QFile in(file);
    // Application entries are small; anything far larger is not one.
    if (in.size() > 1024 * 1024 || !in.open(QIODevice::ReadOnly)) {
        return;
    }
    bool inMainGroup = false;
    QString exec, tryExec, icon, type;
    bool hidden = false;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = UnescapeValue(line.mid(eq + 1).trimmed());
        if (key == QLatin1String("Exec")) {
            exec = value;
        } else if (key == QLatin1String("TryExec")) {
            tryExec = value;
        } else if (key == QLatin1String("Icon")) {
            icon = value;
        } else if (key == QLatin1String("Type")) {
            type = value;
        } else if (key == QLatin1String("Hidden")) {
            hidden = value == QLatin1String("true");
        }
    }
    if (hidden || type != QLatin1String("Application") || icon.isEmpty()) {
        return;
    }
    ++entries_;
    for (const QString& value : {exec, tryExec}) {
        const QString program = DesktopExecProgram(value);
        if (program.isEmpty()) {
            continue;
        }
        if (program.contains(QLatin1Char('/'))) {
            const QString canonical = QFileInfo(program).canonicalFilePath();
            if (!canonical.isEmpty() && !byPath_.contains(canonical)) {
                byPath_.insert(canonical, icon);
            }
        } else if (!byName_.contains(program)) {
            byName_.insert(program, icon);
        }
    }
}

QString DesktopEntryIndex::IconForProgram(const QString& programPath) const {
    const QFileInfo info(programPath);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty()) {
        return {};
    }
    const auto byPath = byPath_.constFind(canonical);
    if (byPath != byPath_.constEnd()) {
        return byPath.value();
    }
    // A bare name counts only when the user's PATH leads to this very file, so a private
    // script that shares an application's name keeps the plain program icon.
    for (const QString& name : {info.fileName(), QFileInfo(canonical).fileName()}) {
        const auto byName = byName_.constFind(name);
        if (byName == byName_.constEnd()) {
            continue;
        }
        const QString found = FindProgramOnStartupPath(name);
        if (!found.isEmpty() && QFileInfo(found).canonicalFilePath() == canonical) {
            return byName.value();
        }
    }
    return {};
}

} // namespace pw
