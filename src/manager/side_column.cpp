#include "manager/side_column.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "framework/ui/group_heading.h"

namespace pw {

namespace {

template <typename T> T* Named(T* widget, const char* name, const char* hint = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (hint)
        widget->setToolTip(QString::fromUtf8(hint));
    return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption,
                    const char* hint = nullptr) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), parent), name, hint);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption) {
    return Named(new QLabel(QString::fromUtf8(caption), parent), name);
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* hint = nullptr) {
    return Named(new QLineEdit(parent), name, hint);
}

// One group: its heading strip, then its contents with a small margin.
QVBoxLayout* Group(QVBoxLayout* column, ThvGroupHeading* header) {
    column->addWidget(header);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(6, 4, 6, 8);
    body->setSpacing(3);
    column->addLayout(body);
    return body;
}

constexpr const char* kFindHint = "Choosing this will enable the \"find...\"";

} // namespace

QStringList TSideColumn::WindowStyleEntries() {
    return {QStringLiteral("Default"), QStringLiteral("Maximized"), QStringLiteral("Minimized"),
            QStringLiteral("Hidden")};
}

TSideColumn::TSideColumn(QWidget* parent) : QWidget(parent) {
    setObjectName("PanelSideColumn");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlAddItemHeader = Named(new ThvGroupHeading("Add item", this), "pnlAddItemHeader");
    QVBoxLayout* add = Group(column, pnlAddItemHeader);
    rbFile = Named(new QRadioButton("File on disk/lan", this), "rbFile", kFindHint);
    rbFileDirectory =
        Named(new QRadioButton("Dir on disk/lan", this), "rbFileDirectory", kFindHint);
    rbInternet = Named(new QRadioButton("Internet and web", this), "rbInternet", kFindHint);
    rbSeparator = Named(new QRadioButton("Menu separator", this), "rbSeparator",
                        "Choosing this makes it possible to attach separators");
    rbFolder = Named(new QRadioButton("Menu folder", this), "rbFolder",
                     "Choosing this makes it possible to attach virtual item folders in the "
                     "\"tree view\"");
    rbFile->setChecked(true);
    for (QRadioButton* rb : {rbFile, rbFileDirectory, rbInternet, rbSeparator, rbFolder}) {
        rb->setFocusPolicy(Qt::TabFocus);
        add->addWidget(rb);
    }
    BitBtnAttach = Button(this, "BitBtnAttach", "Find and Attach",
                          "Find and/or attach an item of selected kind");
    BitBtnAttach->setEnabled(false);
    add->addWidget(BitBtnAttach);

    pnlEditItemHeader = Named(new ThvGroupHeading("Edit item", this), "pnlEditItemHeader");
    QVBoxLayout* edit = Group(column, pnlEditItemHeader);
    auto* captionRow = new QHBoxLayout;
    imgFileType = Named(new QLabel(this), "imgFileType");
    imgFileType->setFixedSize(16, 18);
    edtFileCap = Edit(this, "edtFileCap", "This is the shown \"item text\"");
    captionRow->addWidget(imgFileType);
    captionRow->addWidget(edtFileCap, 1);
    edit->addLayout(captionRow);
    pnlFileType = Named(new QWidget(this), "pnlFileType");
    auto* typeRow = new QHBoxLayout(pnlFileType);
    typeRow->setContentsMargins(0, 0, 0, 0);
    lblFileType = Label(pnlFileType, "lblFileType", "Type :");
    edtFileType = Edit(pnlFileType, "edtFileType");
    edtFileType->setReadOnly(true);
    typeRow->addWidget(lblFileType);
    typeRow->addWidget(edtFileType, 1);
    pnlFileType->hide();
    edit->addWidget(pnlFileType);
    lblFilePath = Label(this, "lblFilePath", "Path");
    edit->addWidget(lblFilePath);
    auto* pathRow = new QHBoxLayout;
    edtFilePathName =
        Edit(this, "edtFilePathName",
             "The file-path and file-name (e.g. \"c:\\halvorn-ek\\example.exe\") which the item "
             "points at (see help on how to use relative paths)");
    edtFilePathName->setEnabled(false);
    btnFilePathName = Button(this, "btnFilePathName", "Set");
    pathRow->addWidget(edtFilePathName, 1);
    pathRow->addWidget(btnFilePathName);
    edit->addLayout(pathRow);
    lblFileParams = Label(this, "lblFileParams", "Params");
    edit->addWidget(lblFileParams);
    edtFileParams =
        Edit(this, "edtFileParams", "The parameters to use for executing this (exe) file");
    edit->addWidget(edtFileParams);

    pnlEditItemProHeader =
        Named(new ThvGroupHeading("Launch settings", this), "pnlEditItemProHeader");
    QVBoxLayout* pro = Group(column, pnlEditItemProHeader);
    lblWorkPath = Label(this, "lblWorkPath", "Work dir");
    pro->addWidget(lblWorkPath);
    edtFileWorkPath = Edit(this, "edtFileWorkPath");
    pro->addWidget(edtFileWorkPath);
    lblWindowState = Label(this, "lblWindowState", "Window");
    pro->addWidget(lblWindowState);
    cbWindowStyle = Named(new QComboBox(this), "cbWindowStyle");
    cbWindowStyle->addItems(WindowStyleEntries());
    cbWindowStyle->setFocusPolicy(Qt::TabFocus);
    pro->addWidget(cbWindowStyle);
    lblUserRunAs = Label(this, "lblUserRunAs", "Elevate");
    pro->addWidget(lblUserRunAs);
    chkUserRunAs = Named(new QCheckBox("Run as admin", this), "chkUserRunAs",
                         "Windows Vista and later functionality to elevate user rights in "
                         "launched application");
    chkUserRunAs->setFocusPolicy(Qt::TabFocus);
    pro->addWidget(chkUserRunAs);

    pnlToolsHeader = Named(new ThvGroupHeading("Tools", this), "pnlToolsHeader");
    column->addWidget(pnlToolsHeader);
    auto* tools = new QGridLayout;
    tools->setContentsMargins(6, 4, 6, 8);
    tools->setSpacing(3);
    BitBtnMoveDown = Button(this, "BitBtnMoveDown", "Down");
    BitBtnMoveUp = Button(this, "BitBtnMoveUp", "Up");
    BitBtnCut = Button(this, "BitBtnCut", "&Cut",
                       "Cut an item, in most cases to paste it into another place");
    BitBtnCopy = Button(this, "BitBtnCopy", "C&opy",
                        "Copy an item, in most cases to paste it into another place");
    BitBtnPaste = Button(this, "BitBtnPaste", "&Paste",
                         "Paste an item which you have just cutted or copied before");
    BitBtnDelete = Button(this, "BitBtnDelete", "&Delete", "Delete an item");
    BitBtnSweep = Button(this, "BitBtnSweep", "&Clean",
                         "Sweep for invalid items in selected folder, e.g. non-existing files");
    BitBtnUndo = Button(this, "BitBtnUndo", "&Undo", "Undo all changes since last save");
    BitBtnSave =
        Button(this, "BitBtnSave", "S&ave",
               "Changes take effect after closing the form. Only new changes can be undone");
    BitBtnHelp = Button(this, "BitBtnHelp", "&Help");
    BitBtnLaunch = Button(this, "BitBtnLaunch", "&Launch", "Launch the given shortcut");
    BitBtnClose =
        Button(this, "BitBtnClose", "C&lose", "Changes made since last save will not be applied");
    QPushButton* rows[6][2] = {{BitBtnMoveDown, BitBtnMoveUp}, {BitBtnCut, BitBtnCopy},
                               {BitBtnPaste, BitBtnDelete},    {BitBtnSweep, BitBtnUndo},
                               {BitBtnSave, BitBtnHelp},       {BitBtnLaunch, BitBtnClose}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 2; ++c)
            tools->addWidget(rows[r][c], r, c);
    tools->setColumnStretch(0, 1);
    tools->setColumnStretch(1, 1);
    column->addLayout(tools);
    column->addStretch(1);
}

} // namespace pw
