// The floor of the start-up benchmark: a Qt Widgets program that shows one tray icon and nothing
// else. run_ui_bench.sh measures it in the same X session as Pathwick.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap picture(16, 16);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(picture)};
    tray.show();
    return app.exec();
}
