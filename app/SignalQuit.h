#pragma once
// Ends the game the orderly way (the main window's close, which saves the bank and the
// settings) when the process is asked to stop by SIGTERM, SIGINT or SIGHUP.

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace corvanta {

class SignalQuit : public QObject {
    Q_OBJECT
public:
    explicit SignalQuit(QWidget& mainWindow);
    ~SignalQuit() override;

private:
    void Quit();

    QWidget& mainWindow_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace corvanta
