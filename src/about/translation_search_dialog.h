#pragma once
// The translation editor's find and replace dialogs.

#include <QDialog>

#include "lang/language_controller.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw {

class ThvDataModuleGenericStruct;
enum class TranslateStep;

// The find dialog and, with replace set, the replace dialog: modeless.
class ThvTranslationSearchDialog : public QDialog {
    Q_OBJECT
public:
    ThvTranslationSearchDialog(bool replace, QWidget* parent);
    void Translate(ThvDataModuleGenericStruct* module, TranslateStep step);

    bool IsReplace() const { return replace_; }
    QString FindText() const;
    void SetFindText(const QString& text);
    QString ReplaceText() const;
    void SetReplaceText(const QString& text);
    bool MatchCase() const;
    void SetMatchCase(bool on);
    bool WholeWord() const;
    void SetWholeWord(bool on);
    bool SearchDown() const;
    void SetSearchDown(bool down);

    QPushButton* FindNextButton() const { return btnFindNext_; }
    QPushButton* ReplaceButton() const { return btnReplace_; }
    QPushButton* ReplaceAllButton() const { return btnReplaceAll_; }

signals:
    void FindNextClicked();
    void ReplaceClicked(bool all);
    void Closed();

protected:
    void done(int result) override;

private:
    bool replace_;
    QLabel* lblFindWhat_ = nullptr;
    QLineEdit* edtFindWhat_ = nullptr;
    QLabel* lblReplaceWith_ = nullptr;
    QLineEdit* edtReplaceWith_ = nullptr;
    QCheckBox* chbMatchCase_ = nullptr;
    QCheckBox* chbWholeWord_ = nullptr;
    QRadioButton* rbUp_ = nullptr;
    QRadioButton* rbDown_ = nullptr;
    QPushButton* btnFindNext_ = nullptr;
    QPushButton* btnReplace_ = nullptr;
    QPushButton* btnReplaceAll_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace pw
