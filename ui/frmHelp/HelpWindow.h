#pragma once

#include <QDialog>

#include <array>
#include <vector>

class QTabWidget;
class QTextBrowser;

namespace corvanta {

// The help window: three tabs of fixed text, pages on the hold advisor, the trainer, the keys
// and the casino games, and a Close button. It is modeless and has no owner;
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
    // The later pages' texts, placed like the labels once the pages are laid out.
    std::vector<QTextBrowser*> pageTexts_;
};

} // namespace corvanta
