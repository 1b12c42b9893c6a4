// A small drag source for the drop test (e2e/manager_drop_test.sh), standing in for the file
// manager: a window titled "Pathwick drag source" at the given place that, pressed and moved,
// drags the files named on its command line as a "text/uri-list" offering a copy or a link.
// It prints "ready" once shown and "finished <action>" when a drag ends (the action the drop
// target chose: copy, link, move or ignore).
//   drag_source X Y FILE...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files)) {
        setWindowTitle(QStringLiteral("Pathwick drag source"));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            pressed_ = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - pressed_).manhattanLength() <
                QApplication::startDragDistance())
            return;
        auto* data = new QMimeData;
        QByteArray list;
        for (const QUrl& file : files_)
            list += file.toEncoded() + "\r\n";
        data->setData(QStringLiteral("text/uri-list"), list);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction action =
            drag->exec(Qt::CopyAction | Qt::LinkAction | Qt::MoveAction, Qt::CopyAction);
        const char* name = action == Qt::CopyAction   ? "copy"
                           : action == Qt::LinkAction ? "link"
                           : action == Qt::MoveAction ? "move"
                                                      : "ignore";
        std::printf("finished %s\n", name);
        std::fflush(stdout);
    }

private:
    QList<QUrl> files_;
    QPoint pressed_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: drag_source X Y FILE...\n");
        return 2;
    }
    QList<QUrl> files;
    for (int i = 3; i < argc; ++i)
        files << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    DragSource source(files);
    source.setGeometry(QString::fromLatin1(argv[1]).toInt(), QString::fromLatin1(argv[2]).toInt(),
                       200, 120);
    source.show();
    QTimer::singleShot(0, [] {
        std::printf("ready\n");
        std::fflush(stdout);
    });
    return app.exec();
}
