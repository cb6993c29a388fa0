#pragma once

#include <QMainWindow>

namespace corvanta {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace corvanta
