#pragma once
// The application object: every error that escapes an event handler reaches the application
// module's OwnExceptionHandler instead of ending the program.

#include <QApplication>

namespace pw {

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace pw
