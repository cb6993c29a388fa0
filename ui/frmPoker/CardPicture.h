#pragma once
// One of the five card pictures Card1 ... Card5: paints the slot's card face up, inverted
// while marked for discard, or the card back while the cards are face down. Takes keyboard
// focus; Space marks like a click. Tells assistive technology what it shows.

#include <QWidget>

#include <optional>

namespace corvanta {

struct Game;

class CardPicture : public QWidget {
    Q_OBJECT
public:
    CardPicture(Game& game, int slot, QWidget* parent);

    // The settled hand stays on the table until the picture is next painted; this paints
    // `card` face up once, and every later paint shows the table as it is.
    void ShowFinalCard(int card);

signals:
    void clicked(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Describe(const QString& name, bool marked);

    Game& game_;
    int slot_;
    std::optional<int> finalCard_;
};

} // namespace corvanta
