#include "ui/frmPoker/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    corvanta::MainWindow window;
    window.show();
    return QApplication::exec();
}
