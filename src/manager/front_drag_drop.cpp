// The main window's drag and drop: items dragged inside tvItems move by the placement rule, with
// a delayed start and folders that open when the pointer rests on them; files, folders and web
// addresses dropped from other programs become links (CreateLinkFromFile).
#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>
#include <cstdlib>

#include "items/item_attach.h"
#include "items/item_editing.h"
#include "items/item_log.h"
#include "items/item_rules.h"
#include "items/link_from_file.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "util/uri_list.h"

namespace pw {

using items::TreeNode;

namespace {

constexpr const char* kUriListFormat = "text/uri-list";
constexpr int kMaxRedraws = 10;

// What a drop from another program does to its source: never a move (the file manager would
// delete the file); a copy or a link of it where the source allows one.
Qt::DropAction FileDropAction(const QDropEvent* event) {
    if (event->possibleActions() & Qt::CopyAction)
        return Qt::CopyAction;
    if (event->possibleActions() & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

bool MayBecomeLinks(const QMimeData* data) {
    return data && (data->hasFormat(QLatin1String(kUriListFormat)) || data->hasText());
}

// A path or address as the log can hold it: one line, control characters shown as "?".
std::string LogForm(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20)
            c = '?';
    return out;
}

} // namespace

void TFormFront::ConnectDragDrop() {
    timerDrag_ = new QTimer(this);
    timerDrag_->setObjectName("TimerDrag");
    timerDrag_->setSingleShot(true);
    timerDrag_->setInterval(kDragDelay);
    connect(timerDrag_, &QTimer::timeout, this, &TFormFront::TimerDragTimer);
    timerExpand_ = new QTimer(this);
    timerExpand_->setObjectName("TimerExpand");
    timerExpand_->setSingleShot(true);
    timerExpand_->setInterval(kExpandDelay);
    connect(timerExpand_, &QTimer::timeout, this, &TFormFront::TimerExpandTimer);

    tvItems_->setDragDropMode(QAbstractItemView::NoDragDrop);
    tvItems_->setDropIndicatorShown(false);
    tvItems_->viewport()->setAcceptDrops(true);
    tvItems_->viewport()->installEventFilter(this);
    // The remembered nodes go with the nodes.
    connect(treeModel_, &QAbstractItemModel::modelAboutToBeReset, this,
            &TFormFront::ForgetDragNodes);
    connect(treeModel_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &TFormFront::ForgetDragNodes);
}

void TFormFront::ForgetDragNodes() {
    dragSource_ = nullptr;
    expandTarget_ = nullptr;
    dragArmed_ = false;
    dragToken_.clear();
    timerDrag_->stop();
    timerExpand_->stop();
}

bool TFormFront::tvItemsViewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        // The node under the pointer is selected before the tree's own handling of the press,
        // so the drag source is the selected item and the edit fields show it.
        if (press->button() == Qt::LeftButton || press->button() == Qt::RightButton) {
            const QModelIndex index = tvItems_->indexAt(press->position().toPoint());
            if (index.isValid() && index != tvItems_->currentIndex())
                tvItems_->setCurrentIndex(index);
        }
        if (press->button() == Qt::LeftButton)
            tvItemsMouseDown(press);
        return false;
    }
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        if (!(move->buttons() & Qt::LeftButton))
            return false;
        const QPoint moved = move->position().toPoint() - pressPos_;
        if (dragArmed_ && dragSource_ &&
            (std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold))
            BeginTreeDrag();
        // While the button is held, moving the pointer selects nothing.
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            tvItemsMouseUp();
        return false;
    case QEvent::DragEnter: {
        // Entering takes any drag that may be dropped somewhere here: a widget that refuses the
        // entry receives none of the moves that follow, which decide per item.
        auto* enter = static_cast<QDragEnterEvent*>(event);
        const bool tree = IsTreeDrag(enter->mimeData());
        if (!tree &&
            (!MayBecomeLinks(enter->mimeData()) || FileDropAction(enter) == Qt::IgnoreAction)) {
            enter->ignore();
            return true;
        }
        enter->setDropAction(tree ? Qt::MoveAction : FileDropAction(enter));
        enter->accept();
        return true;
    }
    case QEvent::DragMove:
        tvItemsDragOver(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::DragLeave:
        timerExpand_->stop();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        timerExpand_->stop();
        if (IsTreeDrag(drop->mimeData()))
            tvItemsDragDrop(drop);
        else
            tvItemsDropFiles(drop);
        return true;
    }
    default:
        return false;
    }
}

void TFormFront::tvItemsMouseDown(QMouseEvent* event) {
    pressPos_ = event->position().toPoint();
    dragArmed_ = false;
    dragSource_ = treeModel_->NodeOf(tvItems_->indexAt(pressPos_));
    if (items::CanDrag(dragSource_))
        timerDrag_->start();
}

void TFormFront::tvItemsMouseUp() {
    redrawCount_ = 0;
    dragArmed_ = false;
    timerDrag_->stop();
    timerExpand_->stop();
}

void TFormFront::TimerDragTimer() {
    // The button has been held long enough: the drag begins once the pointer moves far enough.
    dragArmed_ = items::CanDrag(dragSource_);
}

QMimeData* TFormFront::TreeDragMimeData() {
    dragToken_ = QByteArray::number(QCoreApplication::applicationPid()) + '-' +
                 QByteArray::number(++dragSerial_);
    auto* data = new QMimeData;
    data->setData(QLatin1String(kTreeItemFormat), dragToken_);
    return data;
}

bool TFormFront::IsTreeDrag(const QMimeData* data) const {
    return data && dragSource_ && !dragToken_.isEmpty() &&
           data->data(QLatin1String(kTreeItemFormat)) == dragToken_;
}

void TFormFront::BeginTreeDrag() {
    dragArmed_ = false;
    auto* drag = new QDrag(tvItems_);
    drag->setMimeData(TreeDragMimeData());
    const QModelIndex index = treeModel_->IndexOf(dragSource_);
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    if (!icon.isNull())
        drag->setPixmap(icon.pixmap(items::kIconSize, items::kIconSize));
    dragAccepted_ = true;
    ++busy_;
    drag->exec(Qt::MoveAction);
    --busy_;
    dragToken_.clear();
    tvItemsMouseUp(); // the drag took the release
}

void TFormFront::tvItemsDragOver(QDragMoveEvent* event) {
    const bool tree = IsTreeDrag(event->mimeData());
    TreeNode* target = treeModel_->NodeOf(tvItems_->indexAt(event->position().toPoint()));
    if (tree) {
        // Over empty space the answer stays as it was; a release there does nothing.
        if (target)
            dragAccepted_ = items::CanPlaceAfter(dragSource_, target);
    } else {
        dragAccepted_ =
            MayBecomeLinks(event->mimeData()) && FileDropAction(event) != Qt::IgnoreAction;
    }
    if (target != expandTarget_)
        timerExpand_->stop();
    if (items::IsFolder(target) && dragAccepted_) {
        if (!timerExpand_->isActive()) {
            expandTarget_ = target;
            timerExpand_->start();
        } else if (redrawCount_ < kMaxRedraws) {
            // The pointer rests on the folder: the rows around it are painted afresh.
            treeModel_->NodeChanged(target->FirstChild());
            treeModel_->NodeChanged(target->NextSibling());
            ++redrawCount_;
        }
    }
    if (!dragAccepted_) {
        event->ignore();
        return;
    }
    event->setDropAction(tree ? Qt::MoveAction : FileDropAction(event));
    event->accept();
}

void TFormFront::TimerExpandTimer() {
    const QModelIndex index = treeModel_->IndexOf(expandTarget_);
    if (index.isValid() && items::IsFolder(expandTarget_) && !tvItems_->isExpanded(index)) {
        tvItems_->setCurrentIndex(index);
        tvItems_->expand(index);
    }
}

void TFormFront::tvItemsDragDrop(QDropEvent* event) {
    TreeNode* source = dragSource_;
    TreeNode* target = treeModel_->NodeOf(tvItems_->indexAt(event->position().toPoint()));
    if (!target || !items::CanPlaceAfter(source, target)) {
        event->ignore();
        return;
    }
    if (target != source) {
        reactToSelection_ = false;
        treeModel_->MoveNode(source, target->Parent, target->Index() + 1,
                             [&] { items::MoveAfter(store_->tvItems, source, target); });
        reactToSelection_ = true;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    // The moved item is the selected one, whose fields show (a folder opened on the way was
    // selected meanwhile).
    SelectNode(source);
}

void TFormFront::tvItemsDropFiles(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const Qt::DropAction action = FileDropAction(event);
    if (!MayBecomeLinks(data) || action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    const bool hasList = data->hasFormat(QLatin1String(kUriListFormat));
    const QByteArray list = hasList ? data->data(QLatin1String(kUriListFormat)) : QByteArray();
    const std::string text = hasList ? std::string() : data->text().toStdString();
    const std::vector<items::LinkPlan> plans = items::PlanDroppedLinks(
        std::string_view(list.constData(), static_cast<size_t>(list.size())), hasList, text,
        LocalHostName());
    const QPoint point = event->position().toPoint();
    bool added = false;
    for (const items::LinkPlan& plan : plans) {
        if (!plan) {
            store_->Log(LogForm(plan.source) + ": " + plan.refusal, items::kLogDropFiles);
            continue;
        }
        // The drop point is looked up against the tree as it stands after the earlier links.
        TreeNode* under = treeModel_->NodeOf(tvItems_->indexAt(point));
        if (InsertLink(items::DropAnchor(*store_, under, SelectedNode()), plan))
            added = true;
    }
    if (!added) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

} // namespace pw
