#pragma once
// The environment the program was started with. The program entry captures it first thing,
// before Qt or the program sets anything for its own sake (QT_QPA_PLATFORM, library paths...);
// every program started for the user receives this copy instead of the live environment,
// without the start-up notification tokens of the program's own start (DESKTOP_STARTUP_ID,
// XDG_ACTIVATION_TOKEN).

#include <QProcessEnvironment>
#include <QString>

namespace pw {

// Takes (or takes again) the snapshot from the live environment.
void CaptureStartupEnvironment();
// The snapshot; taken at the first call when CaptureStartupEnvironment was never called.
QProcessEnvironment StartupEnvironment();
// The executable named `name` on the snapshot's PATH (an absolute path), empty when none.
QString FindProgramOnStartupPath(const QString& name);

} // namespace pw
