#pragma once
// One of the five card pictures Card1 ... Card5: paints what its slot shows (the card face
// up, inverted while marked for discard, or the card back). Takes keyboard focus; Space marks
// like a click. Tells assistive technology what it shows.

#include <QWidget>

namespace corvanta {

class CardDrawing;
class GameModel;

class CardPicture : public QWidget {
    Q_OBJECT
public:
    CardPicture(const GameModel& model, CardDrawing& cards, int slot, QWidget* parent);

    // Paints what the slot shows now, and tells assistive technology what that is.
    void Refresh();

signals:
    void clicked(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const GameModel& model_;
    CardDrawing& cards_;
    int slot_;
};

} // namespace corvanta
