#pragma once
// Helpers of the launcher tests: waiting while the event loop runs, executable files, and the
// environment restored after each test.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/startup_environment.h"

namespace pw::test {

// Runs the event loop until ready() holds or timeoutMs passed; the last answer of ready().
inline bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!ready()) {
        if (timer.elapsed() > timeoutMs) {
            return ready();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

inline void MakeExecutable(const std::string& path) {
    QFile::setPermissions(QString::fromStdString(path),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Sets variables for one test and puts the old values back (and the snapshot with them).
class EnvironmentGuard {
public:
    ~EnvironmentGuard() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second.second) {
                qputenv(it->first.c_str(), it->second.first);
            } else {
                qunsetenv(it->first.c_str());
            }
        }
        CaptureStartupEnvironment();
    }
    void Set(const std::string& name, const QByteArray& value) {
        Remember(name);
        qputenv(name.c_str(), value);
    }
    void Unset(const std::string& name) {
        Remember(name);
        qunsetenv(name.c_str());
    }

private:
    void Remember(const std::string& name) {
        saved_.push_back({name, {qgetenv(name.c_str()), qEnvironmentVariableIsSet(name.c_str())}});
    }
    std::vector<std::pair<std::string, std::pair<QByteArray, bool>>> saved_;
};

} // namespace pw::test
