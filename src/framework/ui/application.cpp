#include "framework/ui/application.h"

#include <stdexcept>

#include "framework/ui/data_module.h"

namespace pw {

namespace {
class EUnknownError : public std::runtime_error {
public:
    EUnknownError() : std::runtime_error("") {}
};
} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (ThvDataModuleGenericStruct* module = CurrentModule())
            module->OwnExceptionHandler(receiver, e);
    } catch (...) {
        if (ThvDataModuleGenericStruct* module = CurrentModule())
            module->OwnExceptionHandler(receiver, EUnknownError());
    }
    return false;
}

} // namespace pw
