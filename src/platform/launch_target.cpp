#include "platform/launch_target.h"

#include "platform/startup_environment.h"

#include <QDir>
#include <QFileInfo>

namespace pw {

namespace {

QString SkipLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start).unicode() >= 1 && text.at(start).unicode() <= 32) {
        ++start;
    }
    return text.mid(start);
}

bool IsSchemeChar(QChar c, bool first) {
    const char16_t u = c.unicode();
    const bool letter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    if (first) {
        return letter;
    }
    return letter || (u >= '0' && u <= '9') || u == '+' || u == '-' || u == '.';
}

// Files the system can execute directly. Windows program files (".exe", ".com") count only with
// an execute bit (a registered binary format handles them then); without one the default handler
// gets them, which may know a compatibility layer.
LaunchKind ClassifyExisting(const QFileInfo& info) {
    if (!info.isFile()) {
        return LaunchKind::Document;
    }
    if (info.isExecutable()) {
        return LaunchKind::Program;
    }
    if (info.suffix().compare(QLatin1String("sh"), Qt::CaseInsensitive) == 0) {
        return LaunchKind::Script;
    }
    return LaunchKind::Document;
}

} // namespace

bool LooksLikeAddress(const QString& text) {
    const QString rest = SkipLeadingBlanks(text);
    if (rest.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        return true;
    }
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    // Two characters at least, so a drive letter never reads as a scheme.
    if (colon < 2) {
        return false;
    }
    for (qsizetype i = 0; i < colon; ++i) {
        if (!IsSchemeChar(rest.at(i), i == 0)) {
            return false;
        }
    }
    return true;
}

LaunchTarget ResolveLaunchTarget(const QString& file, const QString& directory) {
    LaunchTarget target;
    if (file.isEmpty()) {
        return target;
    }
    QString local = file;
    if (QDir::isRelativePath(local)) {
        const QString base = directory.isEmpty() ? QDir::currentPath() : directory;
        local = QDir(base).absoluteFilePath(file);
    }
    QFileInfo info(local);
    if (!info.exists() && !file.contains(QLatin1Char('/'))) {
        // A bare name such as "firefox" is looked up as a program.
        const QString found = FindProgramOnStartupPath(file);
        if (!found.isEmpty()) {
            info.setFile(found);
        }
    }
    if (info.exists()) {
        target.Kind = ClassifyExisting(info);
        target.Path = info.absoluteFilePath();
        return target;
    }
    if (LooksLikeAddress(file)) {
        QString address = SkipLeadingBlanks(file);
        if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
            address.prepend(QLatin1String("http://"));
        }
        target.Kind = LaunchKind::Address;
        target.Path = address;
        return target;
    }
    target.Path = local;
    return target;
}

} // namespace pw
