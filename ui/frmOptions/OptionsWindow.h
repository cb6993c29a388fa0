#pragma once
// frmOptions: the thirteen card backs, the one in use framed in yellow as it opens; a click
// frames another and makes it the choice, which the main window takes over once this window
// has closed.

#include "engine/Cards.h"

#include <QDialog>

#include <array>

namespace corvanta {

class CardDrawing;
class GameModel;

class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    OptionsWindow(GameModel& model, CardDrawing& cards, QWidget* owner);

    void SelectBack(int picture); // picture 1..13 shows and selects back 52 + picture

private:
    void HideFrames();

    GameModel& model_;
    std::array<QWidget*, BackCount> frames_{};
};

} // namespace corvanta
