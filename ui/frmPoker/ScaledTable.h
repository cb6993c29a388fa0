#pragma once
// The table at any window size. Every control on the table keeps the place and the font it was
// built with, at the designed size; when the table's area changes size, the controls take them
// scaled by one factor, so the table keeps its proportions, and the table sits in the middle of
// the area, whose rest shows the area's own background (the table's green). At the designed
// size every control stands exactly where it was built.

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace corvanta {

// Where the table goes in an area: its scale and its top-left corner. Never smaller than the
// designed size.
struct TableFit {
    qreal scale = 1.0;
    QPoint offset;
    bool operator==(const TableFit&) const = default;
};
TableFit FitTable(QSize area, QSize designed);

// A place scaled edge by edge, so that neighbouring controls stay neighbours; a line one pixel
// thick stays at least that.
QRect ScaledPlace(const QRect& place, qreal scale);

class ScaledTable : public QObject {
    Q_OBJECT
public:
    // Takes the controls under `area` as they stand now as the designed table, of the size
    // `designed`, and follows the area's resizes.
    ScaledTable(QWidget* area, QSize designed);

    TableFit Fit() const { return fit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply(const TableFit& fit);

    struct Control {
        QPointer<QWidget> widget;
        QRect place; // in its parent, at the designed size
        QFont font;
        bool onTable; // a child of the area itself, which moves with the table
    };
    QWidget* area_;
    QSize designed_;
    std::vector<Control> controls_;
    TableFit fit_;
};

} // namespace corvanta
