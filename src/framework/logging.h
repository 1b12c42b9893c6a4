#pragma once
// The program log: one record of text lines per event, appended to the log file. Safe to use
// from any thread; a lock keeps every record whole, in memory and in the file.

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "util/datetime.h"
#include "util/strings.h"

namespace pw {

// Who logged: a class name, and the component name when the sender is a component.
struct LogSender {
    std::string ClassName;
    std::optional<std::string> ComponentName;
};

// An error: its class name and its message.
struct LogError {
    std::string ClassName;
    std::string Message;
};

// The lines of one record, the empty line that ends it included. time is read once for both
// date-time lines; nativeDateTime is its regional form; currentFolder the process's folder.
StringArray LogRecordLines(const LogSender* sender, const LogError* error,
                           std::string_view messageText, std::string_view identifier,
                           TDateTime time, std::string_view nativeDateTime,
                           std::string_view currentFolder);
// The date-time in the regional short date and long time formats of the C library's locale.
std::string NativeDateTimeText(TDateTime time);

class ThvLogging {
public:
    bool AutoSaveLog = true;        // save after every record
    bool WriteLogCumulative = true; // add to the file's content instead of replacing it

    void SetLogFile(std::string path);
    std::string LogFile() const;
    StringArray LogStrings() const;
    void SetLogStrings(StringArray lines);

    // Adds one record; any argument may be absent (nullptr, empty text). Never throws.
    void Log(const LogSender* sender, const LogError* error, std::string_view messageText,
             std::string_view identifier);
    // Writes the pending lines to the log file: appended to it (with WriteLogCumulative), else
    // in place of its content. Nothing while no log file is set.
    void SaveLog();

    // The clock, replaceable for tests.
    std::function<TDateTime()> Clock = NowLocal;

private:
    void SaveLogLocked();

    mutable std::mutex mutex_;
    std::string logFile_;
    StringArray logStrings_;
};

} // namespace pw
