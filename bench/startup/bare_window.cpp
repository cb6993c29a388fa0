// The floor for start-up figures: a bare QMainWindow of the game window's size, built the
// same way as the game.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Game"));
    window.setFixedSize(573, 329 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
