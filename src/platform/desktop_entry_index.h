#pragma once
// The installed application entries (".desktop" files) by the program their Exec line starts,
// so a program file can be shown with its application's icon.

#include <QHash>
#include <QString>
#include <QStringList>

namespace pw {

class DesktopEntryIndex {
public:
    // $XDG_DATA_HOME/applications/ (default ~/.local/share), then $XDG_DATA_DIRS/applications/
    // for each folder (default /usr/local/share and /usr/share), in that order.
    static QStringList ApplicationFolders();

    // Reads every entry below the folders. An entry id (the path below its folder, "/" read as
    // "-") that an earlier folder already had is skipped, as is an entry marked Hidden.
    void Build(const QStringList& folders);
    bool IsBuilt() const { return built_; }

    // The Icon= value of the first application entry whose Exec names the program (given as an
    // absolute path): by path naming the same file, or by a bare name the user's PATH resolves
    // to it. Empty when none does.
    QString IconForProgram(const QString& programPath) const;
    int EntryCount() const { return entries_; }

private:
    void ReadEntry(const QString& file);

    QHash<QString, QString> byPath_; // canonical program path -> icon
    QHash<QString, QString> byName_; // bare program name -> icon
    bool built_ = false;
    int entries_ = 0;
};

// The program an Exec (or TryExec) value starts: its first word after "env" and any
// NAME=value assignments; empty when there is none.
QString DesktopExecProgram(const QString& exec);

} // namespace pw
