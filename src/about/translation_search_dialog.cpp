#include "about/translation_search_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "about/form_about.h"
#include "framework/ui/data_module.h"
#include "lang/framework_texts.h"
#include "lang/ui/language_assistants.h"

namespace pw {

ThvTranslationSearchDialog::ThvTranslationSearchDialog(bool replace, QWidget* parent)
    : QDialog(parent), replace_(replace) {
    setObjectName(replace ? "ReplaceDialogFront" : "FindDialogFront");
    setWindowTitle(replace ? "Replace" : "Find");
    setModal(false);
    auto* grid = new QGridLayout(this);
    lblFindWhat_ = new QLabel("Fi&nd what:", this);
    lblFindWhat_->setObjectName("lblFindWhat");
    edtFindWhat_ = new QLineEdit(this);
    edtFindWhat_->setObjectName("edtFindWhat");
    lblFindWhat_->setBuddy(edtFindWhat_);
    grid->addWidget(lblFindWhat_, 0, 0);
    grid->addWidget(edtFindWhat_, 0, 1);
    int row = 1;
    if (replace) {
        lblReplaceWith_ = new QLabel("Re&place with:", this);
        lblReplaceWith_->setObjectName("lblReplaceWith");
        edtReplaceWith_ = new QLineEdit(this);
        edtReplaceWith_->setObjectName("edtReplaceWith");
        lblReplaceWith_->setBuddy(edtReplaceWith_);
        grid->addWidget(lblReplaceWith_, row, 0);
        grid->addWidget(edtReplaceWith_, row, 1);
        ++row;
    }
    chbMatchCase_ = new QCheckBox("Match &case", this);
    chbMatchCase_->setObjectName("chbMatchCase");
    chbWholeWord_ = new QCheckBox("Match &whole word only", this);
    chbWholeWord_->setObjectName("chbWholeWord");
    grid->addWidget(chbWholeWord_, row++, 0, 1, 2);
    grid->addWidget(chbMatchCase_, row++, 0, 1, 2);
    auto* direction = new QHBoxLayout();
    rbUp_ = new QRadioButton("&Up", this);
    rbUp_->setObjectName("rbUp");
    rbDown_ = new QRadioButton("&Down", this);
    rbDown_->setObjectName("rbDown");
    rbDown_->setChecked(true);
    direction->addWidget(rbUp_);
    direction->addWidget(rbDown_);
    direction->addStretch(1);
    grid->addLayout(direction, row++, 0, 1, 2);
    // Replacing always searches down.
    rbUp_->setVisible(!replace);
    rbDown_->setVisible(!replace);
    auto* buttons = new QVBoxLayout();
    btnFindNext_ = new QPushButton("&Find Next", this);
    btnFindNext_->setObjectName("btnFindNext");
    btnFindNext_->setDefault(true);
    buttons->addWidget(btnFindNext_);
    if (replace) {
        btnReplace_ = new QPushButton("&Replace", this);
        btnReplace_->setObjectName("btnReplace");
        btnReplaceAll_ = new QPushButton("Replace &All", this);
        btnReplaceAll_->setObjectName("btnReplaceAll");
        buttons->addWidget(btnReplace_);
        buttons->addWidget(btnReplaceAll_);
        connect(btnReplace_, &QPushButton::clicked, this, [this] { emit ReplaceClicked(false); });
        connect(btnReplaceAll_, &QPushButton::clicked, this, [this] { emit ReplaceClicked(true); });
    }
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    buttons->addWidget(btnCancel_);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, row, 1);
    connect(btnFindNext_, &QPushButton::clicked, this, [this] { emit FindNextClicked(); });
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void ThvTranslationSearchDialog::Translate(ThvDataModuleGenericStruct* module, TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = module->LanguageComposite();
    const char* suffix = ThvFormAbout::kFormSuffix;
    c.AssistantControls.Form(step, kFileShared, suffix, this);
    c.AssistantControls.Label(step, kFileShared, suffix, lblFindWhat_);
    if (replace_)
        c.AssistantControls.Label(step, kFileShared, suffix, lblReplaceWith_);
    for (QWidget* w : std::initializer_list<QWidget*>{chbMatchCase_, chbWholeWord_, rbUp_, rbDown_,
                                                      btnFindNext_, btnCancel_})
        c.AssistantControls.Control(step, kFileShared, suffix, w);
    if (replace_) {
        c.AssistantControls.Control(step, kFileShared, suffix, btnReplace_);
        c.AssistantControls.Control(step, kFileShared, suffix, btnReplaceAll_);
    }
}

QString ThvTranslationSearchDialog::FindText() const {
    return edtFindWhat_->text();
}
void ThvTranslationSearchDialog::SetFindText(const QString& text) {
    edtFindWhat_->setText(text);
}
QString ThvTranslationSearchDialog::ReplaceText() const {
    return edtReplaceWith_ ? edtReplaceWith_->text() : QString();
}
void ThvTranslationSearchDialog::SetReplaceText(const QString& text) {
    if (edtReplaceWith_)
        edtReplaceWith_->setText(text);
}
bool ThvTranslationSearchDialog::MatchCase() const {
    return chbMatchCase_->isChecked();
}
void ThvTranslationSearchDialog::SetMatchCase(bool on) {
    chbMatchCase_->setChecked(on);
}
bool ThvTranslationSearchDialog::WholeWord() const {
    return chbWholeWord_->isChecked();
}
void ThvTranslationSearchDialog::SetWholeWord(bool on) {
    chbWholeWord_->setChecked(on);
}
bool ThvTranslationSearchDialog::SearchDown() const {
    return replace_ || rbDown_->isChecked();
}
void ThvTranslationSearchDialog::SetSearchDown(bool down) {
    (down ? rbDown_ : rbUp_)->setChecked(true);
}

void ThvTranslationSearchDialog::done(int result) {
    QDialog::done(result);
    emit Closed();
}

} // namespace pw
