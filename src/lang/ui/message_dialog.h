#pragma once
// ShowMessageDialog: the one routine that shows message boxes, with the caption and the button
// texts of the current culture.

#include <QMessageBox>
#include <QString>
#include <string>

namespace pw {

class ThvlgLanguageController;

enum class MsgDlgType { Warning, Error, Information, Confirmation };

// The controller and file ("UTF8_general.ini") whose texts translate message dialogs; recorded
// by the start-up registration. Without them dialogs are shown as designed.
void SetDialogTranslation(ThvlgLanguageController* controller, const std::string& file);

// Shows a modal message dialog centred on the screen; the result is the button pressed
// (QMessageBox::Yes, ...), or QMessageBox::Cancel / NoButton when it was closed otherwise.
int ShowMessageDialog(const QString& message, MsgDlgType type, QMessageBox::StandardButtons buttons,
                      int helpContext = 0);

// Builds the dialog ShowMessageDialog shows (designed English texts), without showing it.
QMessageBox* CreateMessageDialog(const QString& message, MsgDlgType type,
                                 QMessageBox::StandardButtons buttons);
// The caption from the dialog texts of the culture; each visible button's caption looked up
// under its letters and digits ("&Yes" -> "Yes").
void TranslateMessageDialog(QMessageBox* dialog);

} // namespace pw
