#include "lang/ui/message_dialog.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>

#include "lang/language_controller.h"
#include "util/strings.h"

namespace pw {

namespace {
constexpr const char* kDialogSection = "__MixedText__Dialogs__VCL__RS";

ThvlgLanguageController* gDialogController = nullptr;
std::string gDialogFile;

const char* DesignedCaption(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning:
        return "Warning";
    case MsgDlgType::Error:
        return "Error";
    case MsgDlgType::Information:
        return "Information";
    case MsgDlgType::Confirmation:
        return "Confirm";
    }
    return "";
}

QMessageBox::Icon IconOf(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning:
        return QMessageBox::Warning;
    case MsgDlgType::Error:
        return QMessageBox::Critical;
    case MsgDlgType::Information:
        return QMessageBox::Information;
    case MsgDlgType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The designed caption of each standard button.
const char* DesignedButtonCaption(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return "&Yes";
    case QMessageBox::No:
        return "&No";
    case QMessageBox::Ok:
        return "OK";
    case QMessageBox::Cancel:
        return "Cancel";
    case QMessageBox::Abort:
        return "&Abort";
    case QMessageBox::Retry:
        return "&Retry";
    case QMessageBox::Ignore:
        return "&Ignore";
    case QMessageBox::YesToAll:
        return "Yes to &All";
    case QMessageBox::NoToAll:
        return "N&o to All";
    case QMessageBox::Help:
        return "&Help";
    default:
        return nullptr;
    }
}
} // namespace

void SetDialogTranslation(ThvlgLanguageController* controller, const std::string& file) {
    gDialogController = controller;
    gDialogFile = file;
}

QMessageBox* CreateMessageDialog(const QString& message, MsgDlgType type,
                                 QMessageBox::StandardButtons buttons) {
    auto* box =
        new QMessageBox(IconOf(type), QString::fromUtf8(DesignedCaption(type)), message, buttons);
    // Messages carry file names, captions and system texts: never read as markup.
    box->setTextFormat(Qt::PlainText);
    for (QAbstractButton* button : box->buttons()) {
        if (const char* caption = DesignedButtonCaption(box->standardButton(button)))
            button->setText(QString::fromUtf8(caption));
    }
    return box;
}

void TranslateMessageDialog(QMessageBox* dialog) {
    if (!gDialogController)
        return;
    try {
        const std::string caption = dialog->windowTitle().toStdString();
        const std::string text =
            gDialogController->GetResString(gDialogFile, kDialogSection, caption, "", false);
        if (!text.empty())
            dialog->setWindowTitle(QString::fromStdString(text));
    } catch (...) {
    }
    for (QAbstractButton* button : dialog->buttons()) {
        try {
            if (!button->isVisibleTo(dialog))
                continue;
            const std::string caption = button->text().toStdString();
            const std::string key = StrKeepChars(StrTrim(caption), kLettersAndDigits);
            const std::string text =
                gDialogController->GetResString(gDialogFile, kDialogSection, key, caption, true);
            button->setText(QString::fromStdString(text));
        } catch (...) {
        }
    }
}

int ShowMessageDialog(const QString& message, MsgDlgType type, QMessageBox::StandardButtons buttons,
                      int helpContext) {
    std::unique_ptr<QMessageBox> box(CreateMessageDialog(message, type, buttons));
    box->setProperty("HelpContext", helpContext);
    box->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = box->frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        box->move(r.topLeft());
    }
    TranslateMessageDialog(box.get());
    const int result = box->exec();
    if (QAbstractButton* clicked = box->clickedButton())
        return box->standardButton(clicked);
    (void)result;
    return QMessageBox::Cancel;
}

} // namespace pw
