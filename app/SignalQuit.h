#pragma once
// Ends the game the orderly way (the main window's close, which saves the bank and the
// settings) when the process is asked to stop by SIGTERM, SIGINT or SIGHUP, from the first
// message box of the start-up on.

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

namespace corvanta {

class SignalQuit : public QObject {
    Q_OBJECT
public:
    SignalQuit();
    ~SignalQuit() override;

    // The window whose close ends the game. A signal that came while it was being made (its
    // start-up messages open) closes it as soon as it is given.
    void SetMainWindow(QWidget& mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Quit();
    void CloseMainWindow();

    QPointer<QWidget> mainWindow_;
    QSocketNotifier* notifier_ = nullptr;
    bool quitAsked_ = false;
};

} // namespace corvanta
