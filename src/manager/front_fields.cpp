// The main window's edit fields: filled from the selected node, and every change of a box handed
// to the field rules of the item store.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>

#include "items/item_fields.h"
#include "lang/ui/message_dialog.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "manager/side_column.h"

namespace pw {

using items::TreeNode;

namespace {
std::string Utf8(const QString& s) {
    return s.toStdString();
}

// Sets a box's text as a rule decided it, keeping the caret where the user typed.
void Replace(QLineEdit* box, const std::string& text) {
    const QString wanted = QString::fromStdString(text);
    if (box->text() == wanted)
        return;
    const int caret = box->cursorPosition() - (box->text().size() - wanted.size());
    box->setText(wanted);
    box->setCursorPosition(std::clamp(caret, 0, static_cast<int>(wanted.size())));
}
} // namespace

void TFormFront::ConnectFields() {
    TSideColumn& s = *side_;
    connect(s.edtFileCap, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (reactToFields_ && side_->edtFileCap->isEnabled())
            RunCaptionRule(text);
    });
    connect(s.edtFilePathName, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (reactToFields_ && side_->edtFilePathName->isEnabled())
            items::ApplyPathRule(*store_, SelectedNode(), Utf8(text));
    });
    connect(s.btnFilePathName, &QPushButton::clicked, this, [this] {
        items::SetPathUnchecked(*store_, SelectedNode(), Utf8(side_->edtFilePathName->text()));
    });
    connect(s.edtFileParams, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!reactToFields_ || !side_->edtFileParams->isEnabled())
            return;
        const std::string kept = items::ApplyParamsRule(*store_, SelectedNode(), Utf8(text));
        reactToFields_ = false;
        Replace(side_->edtFileParams, kept);
        reactToFields_ = true;
    });
    connect(s.edtFileWorkPath, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!reactToFields_ || !side_->edtFileWorkPath->isEnabled())
            return;
        const std::string kept = items::ApplyWorkDirRule(*store_, SelectedNode(), Utf8(text));
        reactToFields_ = false;
        Replace(side_->edtFileWorkPath, kept);
        reactToFields_ = true;
    });
    connect(s.cbWindowStyle, &QComboBox::currentIndexChanged, this, [this](int choice) {
        if (reactToFields_ && side_->cbWindowStyle->isEnabled())
            items::ApplyWindowRule(*store_, SelectedNode(), choice);
    });
    connect(s.chkUserRunAs, &QCheckBox::toggled, this, [this](bool on) {
        if (reactToFields_ && side_->chkUserRunAs->isEnabled())
            items::ApplyRunAsRule(*store_, SelectedNode(), on);
    });
}

void TFormFront::RunCaptionRule(const QString& typed) {
    TreeNode* node = SelectedNode();
    if (!node)
        return;
    const items::CaptionOutcome out = items::ApplyCaptionRule(node, Utf8(typed));
    if (out.message) {
        // The node keeps its text, the box what was typed.
        ShowMessageDialog(MessageText(out.message.key, out.message.english), MsgDlgType::Error,
                          QMessageBox::Ok);
        return;
    }
    reactToFields_ = false;
    Replace(side_->edtFileCap, out.text);
    reactToFields_ = true;
    treeModel_->NodeChanged(node);
    if (out.pictureChanged)
        ShowPicture(node->ImageIndex);
}

void TFormFront::ShowPicture(int imageIndex) {
    QPixmap picture(side_->imgFileType->size());
    picture.fill(palette().color(QPalette::Button));
    const QIcon icon = pmIcons_.Icon(imageIndex);
    if (!icon.isNull()) {
        QPainter p(&picture);
        p.drawPixmap(0, 1, icon.pixmap(items::kIconSize, items::kIconSize));
    }
    side_->imgFileType->setPixmap(picture);
}

void TFormFront::ShowItemFields(const TreeNode* node) {
    if (!side_ || !store_)
        return;
    TSideColumn& s = *side_;
    const bool captionWasEnabled = s.edtFileCap->isEnabled();
    const items::ItemFields f = items::DescribeItemFields(*store_, node, captionWasEnabled);
    const QString notAvailable = MessageText("NotAvailableShort", "N/A");
    auto fill = [&](QLineEdit* box, const items::FieldBox& field) {
        box->setText(field.notAvailable ? notAvailable : QString::fromStdString(field.text));
        box->setEnabled(field.enabled);
    };
    reactToFields_ = false;
    fill(s.edtFileCap, f.caption);
    fill(s.edtFilePathName, f.path);
    fill(s.edtFileParams, f.params);
    fill(s.edtFileWorkPath, f.workDir);
    s.cbWindowStyle->setCurrentIndex(f.windowChoice);
    s.cbWindowStyle->setEnabled(f.windowEnabled);
    s.chkUserRunAs->setChecked(f.runAs);
    s.chkUserRunAs->setEnabled(f.runAsEnabled);
    s.edtFileType->setText(f.type.key ? MessageText(f.type.key, f.type.english) : QString());
    reactToFields_ = true;
    ShowPicture(f.picture);
    // Setting a box's text counts as a change of it where the box was enabled: the caption rule
    // runs on separators always, on folders and links after a selection that left it enabled.
    if (f.captionRuleRuns)
        RunCaptionRule(s.edtFileCap->text());
}

} // namespace pw
