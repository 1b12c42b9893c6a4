// The manager window's contents beside the tree: the side column, the splitter and the status
// bar, put together when the window is first shown, with their texts and the side column's
// width in the options file.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/options_file.h"
#include "framework/ui/data_module.h"
#include "framework/ui/group_heading.h"
#include "framework/ui/hint_status_bar.h"
#include "lang/ui/language_assistants.h"
#include "manager/form_front.h"
#include "manager/side_column.h"

namespace pw {

namespace {
constexpr const char* kPanelSideWidthKey = "PanelSide.Width";
constexpr int kPanelSideMinWidth = 150;
constexpr int kPanelSideMaxWidth = 4000;
constexpr int kPanelSideDefaultWidth = 230;
} // namespace

void TFormFront::TranslateSideColumn(TranslateStep step) {
    if (!side_)
        return;
    const ThvlgLanguageAssistantControls& controls =
        Module()->LanguageComposite().AssistantControls;
    TSideColumn& s = *side_;
    for (QWidget* w :
         {static_cast<QWidget*>(s.pnlAddItemHeader), static_cast<QWidget*>(s.BitBtnAttach),
          static_cast<QWidget*>(s.rbFile), static_cast<QWidget*>(s.rbFileDirectory),
          static_cast<QWidget*>(s.rbInternet), static_cast<QWidget*>(s.rbSeparator),
          static_cast<QWidget*>(s.rbFolder), static_cast<QWidget*>(s.pnlEditItemHeader),
          static_cast<QWidget*>(s.pnlEditItemProHeader)})
        controls.Control(step, kTextFile, kFormSuffix, w);
    for (QLabel* l : {s.lblFileType, s.lblFilePath, s.lblFileParams, s.lblWorkPath,
                      s.lblWindowState, s.lblUserRunAs})
        controls.Label(step, kTextFile, kFormSuffix, l);
    controls.Control(step, kTextFile, kFormSuffix, s.chkUserRunAs);
    for (QLineEdit* e : {s.edtFileCap, s.edtFileType, s.edtFilePathName, s.edtFileParams})
        controls.Edit(step, kTextFile, kFormSuffix, e);
    controls.Control(step, kTextFile, kFormSuffix, s.pnlToolsHeader);
    for (QPushButton* b :
         {s.BitBtnMoveUp, s.BitBtnMoveDown, s.BitBtnSweep, s.BitBtnUndo, s.BitBtnCut, s.BitBtnCopy,
          s.BitBtnPaste, s.BitBtnDelete, s.BitBtnSave, s.BitBtnClose, s.BitBtnLaunch, s.BitBtnHelp})
        controls.Control(step, kTextFile, kFormSuffix, b);
    // Texts of the window beyond the designed list: the Set button and the window list.
    controls.Control(step, kTextFile, kFormSuffix, s.btnFilePathName);
    reactToFields_ = false;
    controls.ComboItems(step, kTextFile, kFormSuffix, s.cbWindowStyle);
    reactToFields_ = true;
    Module()->LanguageComposite().AssistantControlsHV.StatusBar(step, kTextFile, kFormSuffix,
                                                                statusBarHelp_);
}

void TFormFront::SaveMiscState(const std::string& iniPath) {
    const PathMacros& macros = Module()->Paths().Macros;
    IniDocument ini = LoadOptionsDocument(iniPath, macros);
    const int width = panelSide_ && panelSide_->isVisible() ? panelSide_->width() : panelSideWidth_;
    ini.WriteInteger(objectName().toStdString(), kPanelSideWidthKey, width);
    SaveOptionsDocument(ini, iniPath, macros);
}

void TFormFront::LoadMiscState(const std::string& iniPath) {
    const IniDocument ini = LoadOptionsDocument(iniPath, Module()->Paths().Macros);
    const int current =
        panelSide_ && panelSide_->isVisible() ? panelSide_->width() : panelSideWidth_;
    const int width =
        std::clamp(ini.ReadInteger(objectName().toStdString(), kPanelSideWidthKey, current),
                   kPanelSideMinWidth, kPanelSideMaxWidth);
    panelSideWidth_ = width;
    if (splitter_)
        ApplyPanelSideWidth();
}

void TFormFront::ApplyPanelSideWidth() {
    QList<int> sizes = splitter_->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), panelSideWidth_ + 100);
    splitter_->setSizes({panelSideWidth_, total - panelSideWidth_});
}

TSideColumn* TFormFront::Side() {
    EnsureWindowContents();
    return side_;
}

ThvHintStatusBar* TFormFront::StatusBarHelp() {
    EnsureWindowContents();
    return statusBarHelp_;
}

void TFormFront::EnsureWindowContents() {
    if (side_)
        return;
    if (store_)
        store_->KeepUndoCopy();
    splitter_ = new QSplitter(Qt::Horizontal, this);
    panelSide_ = new QScrollArea(splitter_);
    panelSide_->setObjectName("PanelSide");
    panelSide_->setMinimumWidth(kPanelSideMinWidth);
    panelSide_->setWidgetResizable(true);
    panelSide_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    side_ = new TSideColumn(panelSide_);
    panelSide_->setWidget(side_);
    splitter_->addWidget(panelSide_);
    splitter_->addWidget(tvItems_);
    tvItems_->show();
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kPanelSideDefaultWidth, 450});
    ApplyPanelSideWidth();
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { panelSideWidth_ = splitter_->sizes().value(0, panelSideWidth_); });
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->addWidget(splitter_, 1);
    statusBarHelp_ = new ThvHintStatusBar(this);
    statusBarHelp_->setObjectName("StatusBarHelp");
    statusBarHelp_->SetDefaultText(QString::fromUtf8(kStatusDefault));
    statusBarHelp_->SetRestoreInterval(kStatusRestoreInterval);
    statusBarHelp_->SetHintText(statusBarHelp_->DefaultText());
    box->addWidget(statusBarHelp_);
    // The status bar takes the hints of the controls under the mouse.
    for (QWidget* part :
         {static_cast<QWidget*>(splitter_), static_cast<QWidget*>(statusBarHelp_)}) {
        part->installEventFilter(this);
        for (QWidget* child : part->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    ConnectButtons();
    ConnectFields();
    TranslateSideColumn(TranslateStep::Register);
    TranslateSideColumn(TranslateStep::Apply);
    if (treeModel_)
        ShowItemFields(SelectedNode());
    UpdateCommandStates();
}

} // namespace pw
