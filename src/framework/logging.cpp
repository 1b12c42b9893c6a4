#include "framework/logging.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "util/paths.h"
#include "util/text_files.h"

namespace pw {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string CurrentFolder() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::current_path(ec);
    return ec ? std::string() : folder.string();
}

// Appends bytes to the file, creating it when missing. When the file's old content does not
// end with a line break, one is written first, so the old last line stays a line of its own.
bool AppendToFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "ab+");
    if (!file)
        return false;
    bool ok = true;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        if (size > 0 && std::fseek(file, size - 1, SEEK_SET) == 0) {
            int last = std::fgetc(file);
            std::fseek(file, 0, SEEK_END);
            if (last != '\n' && last != '\r')
                ok = std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), file) == kLineEnd.size();
        }
    }
    ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = (std::fclose(file) == 0) && ok;
    return ok;
}

} // namespace

std::string NativeDateTimeText(TDateTime time) {
    DateTimeParts parts = DecodeDateTime(time);
    std::tm tm{};
    tm.tm_year = parts.year - 1900;
    tm.tm_mon = parts.month - 1;
    tm.tm_mday = parts.day;
    tm.tm_hour = parts.hour;
    tm.tm_min = parts.minute;
    tm.tm_sec = parts.second;
    tm.tm_isdst = -1;
    std::time_t seconds = std::mktime(&tm); // fills the week day
    if (seconds != static_cast<std::time_t>(-1))
        localtime_r(&seconds, &tm);
    char buffer[128];
    size_t length = std::strftime(buffer, sizeof buffer, "%x %X", &tm);
    return std::string(buffer, length);
}

StringArray LogRecordLines(const LogSender* sender, const LogError* error,
                           std::string_view messageText, std::string_view identifier,
                           TDateTime time, std::string_view nativeDateTime,
                           std::string_view currentFolder) {
    const bool hasMessage = !messageText.empty();
    const bool hasError = error != nullptr;
    StringArray lines;
    if (hasError && hasMessage)
        lines.emplace_back("--Combined--");
    else if (hasError)
        lines.emplace_back("--Exception--");
    else if (hasMessage)
        lines.emplace_back("--Message--");
    else
        lines.emplace_back("--Info--");
    lines.push_back("DateTime (ISO): " + DateTimeToText(0, time));
    lines.push_back("DateTime (native): " + std::string(nativeDateTime));
    if (sender) {
        lines.push_back("Sender Class Name: " + sender->ClassName);
        if (sender->ComponentName)
            lines.push_back("Sender Name: " + *sender->ComponentName);
    }
    lines.push_back("Current Work Directory: " + std::string(currentFolder));
    if (!identifier.empty())
        lines.push_back("ID: " + std::string(identifier));
    if (hasMessage)
        lines.push_back("Message: " + std::string(messageText));
    if (hasError) {
        lines.push_back("Exception Class Name: " + error->ClassName);
        lines.push_back("Exception Message: " + error->Message);
    }
    lines.emplace_back();
    return lines;
}

void ThvLogging::SetLogFile(std::string path) {
    std::lock_guard<std::mutex> lock(mutex_);
    logFile_ = std::move(path);
}

std::string ThvLogging::LogFile() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return logFile_;
}

StringArray ThvLogging::LogStrings() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return logStrings_;
}

void ThvLogging::SetLogStrings(StringArray lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    logStrings_ = std::move(lines);
}

void ThvLogging::Log(const LogSender* sender, const LogError* error, std::string_view messageText,
                     std::string_view identifier) {
    try {
        std::lock_guard<std::mutex> lock(mutex_);
        TDateTime now = Clock ? Clock() : NowLocal();
        StringArray record = LogRecordLines(sender, error, messageText, identifier, now,
                                            NativeDateTimeText(now), CurrentFolder());
        logStrings_.insert(logStrings_.end(), record.begin(), record.end());
        if (AutoSaveLog && !logFile_.empty())
            SaveLogLocked();
    } catch (...) {
        // A failing log must never disturb the caller.
    }
}

void ThvLogging::SaveLog() {
    try {
        std::lock_guard<std::mutex> lock(mutex_);
        SaveLogLocked();
    } catch (...) {
    }
}

void ThvLogging::SaveLogLocked() {
    if (logFile_.empty())
        return;
    std::string bytes;
    for (const std::string& line : logStrings_) {
        bytes += line;
        bytes += kLineEnd;
    }
    // Appending gives the file the same content as reading it, adding the records and writing
    // it all again, without rewriting a growing file for every record and without losing the
    // old content when it cannot be read. Failures are ignored: the records are dropped.
    if (WriteLogCumulative)
        AppendToFile(logFile_, bytes);
    else
        WriteFileBytes(logFile_, bytes);
    logStrings_.clear();
}

} // namespace pw
