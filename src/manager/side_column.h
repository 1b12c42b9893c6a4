#pragma once
// The manager window's side column: four groups, top to bottom, each headed by a strip: "Add
// item" (the kind of item and "Find and Attach"), "Edit item" (picture, caption, path with Set,
// params), the launch settings (work dir, window, elevation) and "Tools" (the editing buttons in
// two columns of equal width). The controls carry their designed English captions and hints;
// the window connects them and translates them.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw {

class ThvGroupHeading;

class TSideColumn : public QWidget {
    Q_OBJECT
public:
    explicit TSideColumn(QWidget* parent = nullptr);

    // Add item
    ThvGroupHeading* pnlAddItemHeader;
    QRadioButton* rbFile;
    QRadioButton* rbFileDirectory;
    QRadioButton* rbInternet;
    QRadioButton* rbSeparator;
    QRadioButton* rbFolder;
    QPushButton* BitBtnAttach;
    // Edit item
    ThvGroupHeading* pnlEditItemHeader;
    QLabel* imgFileType;
    QLineEdit* edtFileCap;
    QWidget* pnlFileType; // hidden: the type box
    QLabel* lblFileType;
    QLineEdit* edtFileType;
    QLabel* lblFilePath;
    QLineEdit* edtFilePathName;
    QPushButton* btnFilePathName;
    QLabel* lblFileParams;
    QLineEdit* edtFileParams;
    // Launch settings
    ThvGroupHeading* pnlEditItemProHeader;
    QLabel* lblWorkPath;
    QLineEdit* edtFileWorkPath;
    QLabel* lblWindowState;
    QComboBox* cbWindowStyle;
    QLabel* lblUserRunAs;
    QCheckBox* chkUserRunAs;
    // Tools
    ThvGroupHeading* pnlToolsHeader;
    QPushButton* BitBtnMoveDown;
    QPushButton* BitBtnMoveUp;
    QPushButton* BitBtnCut;
    QPushButton* BitBtnCopy;
    QPushButton* BitBtnPaste;
    QPushButton* BitBtnDelete;
    QPushButton* BitBtnSweep;
    QPushButton* BitBtnUndo;
    QPushButton* BitBtnSave;
    QPushButton* BitBtnHelp;
    QPushButton* BitBtnLaunch;
    QPushButton* BitBtnClose;

    // The window list's entries, in the order of the window states (item_fields.h).
    static QStringList WindowStyleEntries();
};

} // namespace pw
