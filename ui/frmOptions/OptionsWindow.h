#pragma once
// frmOptions: the thirteen card backs; a click frames one in yellow and makes it the
// choice, which the main window takes over once this window has closed.

#include <QDialog>

#include <array>

class QWidget;

namespace corvanta {

class CardDrawing;
struct Table;

class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int BackCount = 13;

    OptionsWindow(Table& table, CardDrawing& cards, QWidget* owner);

    void SelectBack(int picture); // picture 1..13 shows and selects back 52 + picture

private:
    void HideFrames();

    Table& table_;
    std::array<QWidget*, BackCount> frames_{};
};

// The Options command: shows the window modally and, once it is closed, takes the back
// picked in it as the back of face-down cards.
void RunOptions(Table& table, CardDrawing& cards, QWidget* owner);

} // namespace corvanta
