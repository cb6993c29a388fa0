#pragma once

#include <QDialog>
#include <QPointer>

#include <array>

class QTabWidget;

namespace corvanta {

// The help window: three tabs of fixed text and a Close button. It is modeless and has no owner;
// closing it (Close, Enter, Esc or the close box) deletes it, so every opening starts afresh on
// "How To Play".
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* tabHelp_;
    // One per tab: covers the whole tab control, tab strip included, so that the labels on it
    // stand at their layout positions, which are measured from the tab control's corner.
    std::array<QWidget*, 3> tabAreas_{};
};

// The main window's Game Help command: opens the help window into `slot`, or brings the open one
// to the front. The window is modeless and the call returns at once.
void ShowHelp(QPointer<HelpWindow>& slot);

// The main window's shutdown: closes (and so deletes) the help window in `slot` if it is open.
void CloseHelp(QPointer<HelpWindow>& slot);

} // namespace corvanta
