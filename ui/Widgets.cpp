#include "ui/Widgets.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTableWidget>

#include <algorithm>

namespace corvanta {

QFont FontOf(GameFont font) {
    struct Face {
        qreal points;
        bool bold;
    };
    static constexpr Face Faces[] = {
        {8.25, false}, // Standard: MS Sans Serif 8.25
        {8.25, true},  // StandardBold
        {12, true},    // SansSerif12Bold: MS Sans Serif 12 bold
        {12, false},   // Arial12
        {12, true},    // Arial12Bold
        {9.75, false}, // Arial975
        {9.75, true},  // Arial975Bold
        {14.25, true}, // Arial1425Bold
    };
    // Asked for by the family that stands in for both designed fonts, not by their names: for
    // a name it does not have, Qt works out fallback fonts first, a millisecond of start-up.
    const Face& face = Faces[static_cast<int>(font)];
    QFont result(QStringLiteral("Liberation Sans"));
    result.setPointSizeF(face.points);
    result.setBold(face.bold);
    return result;
}

void InstallGameFonts() {
    QApplication::setFont(FontOf(GameFont::Standard));
}

void PaintBackground(QWidget* widget, const QColor& colour) {
    SetColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QWidget* AddLine(QWidget* parent, const char* name, const Twips& place) {
    auto* line = new QWidget(parent);
    line->setObjectName(QString::fromLatin1(name));
    const QRect span(QPoint(Px(place.left), Px(place.top)),
                     QPoint(Px(place.left + place.width), Px(place.top + place.height)));
    line->setGeometry(span.normalized());
    PaintBackground(line, Qt::black);
    return line;
}

QLabel* AddLabel(QWidget* parent, const LabelRow& row) {
    auto* label = new QLabel(QString::fromUtf8(row.caption), parent);
    label->setObjectName(QString::fromLatin1(row.name));
    label->setGeometry(ToPixels(row.place));
    label->setTextFormat(Qt::PlainText);
    const bool vertical = (row.align & Qt::AlignVertical_Mask) != 0;
    label->setAlignment(vertical ? row.align : row.align | Qt::AlignTop);
    label->setFont(FontOf(row.font));
    if (row.colour != 0) {
        SetColour(label, QPalette::WindowText, QColor(row.colour));
    }
    if (row.background != 0) {
        PaintBackground(label, QColor(row.background));
    }
    return label;
}

QTableWidget* AddReadOnlyTable(QWidget* parent, const QString& name, const Twips& place, int rows,
                               std::initializer_list<TableColumn> columns) {
    auto* table = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
    table->setObjectName(name);
    table->setGeometry(ToPixels(place));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(18);
    QStringList headers;
    int column = 0;
    for (const TableColumn& each : columns) {
        headers << QString::fromLatin1(each.heading);
        table->setColumnWidth(column++, each.width);
    }
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void GrowToText(QLabel* label) {
    const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
    label->resize(std::max(label->width(), textWidth), label->height());
}

void DrawFocusRing(QPainter& painter, const QRect& rect) {
    painter.setPen(QPen(Yellow, 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect).adjusted(2, 2, -2, -2), 4, 4);
}

bool FitsOnAScreen(const QRect& frame, const QList<QRect>& screens) {
    return frame.isValid() && std::any_of(screens.begin(), screens.end(),
                                          [&](const QRect& s) { return s.contains(frame); });
}

bool FitsOnAScreen(const QRect& frame) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    return FitsOnAScreen(frame, areas);
}

} // namespace corvanta
