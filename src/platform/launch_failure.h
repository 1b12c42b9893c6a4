#pragma once
// How a failed start reaches the user. The desktop shell of this platform shows nothing when a
// program or document cannot be opened, so the launcher reports it here; the window layer may
// set its own handler (translated texts, its message dialog).

#include <QString>
#include <functional>

namespace pw {

// what: the program, document or address that could not be started; why: a short reason.
using LaunchFailureHandler = std::function<void(const QString& what, const QString& why)>;

// Replaces the handler; an empty function restores the default, which shows a non-modal
// warning box when a widget application runs and writes to standard error otherwise.
void SetLaunchFailureHandler(LaunchFailureHandler handler);
void ReportLaunchFailure(const QString& what, const QString& why);
// The default text: Could not start "what": why
QString LaunchFailureText(const QString& what, const QString& why);

} // namespace pw
