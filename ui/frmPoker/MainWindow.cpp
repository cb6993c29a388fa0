#include "ui/frmPoker/MainWindow.h"

namespace corvanta {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmPoker"));
    setWindowTitle(QStringLiteral("Corvanta 1.0 alpha"));
}

} // namespace corvanta
