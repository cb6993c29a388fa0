#include "ui/frmPoker/ScaledTable.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace corvanta {

TableFit FitTable(QSize area, QSize designed) {
    if (designed.isEmpty()) {
        return {};
    }
    const qreal scale = std::max(1.0, std::min(qreal(area.width()) / designed.width(),
                                               qreal(area.height()) / designed.height()));
    const int width = static_cast<int>(std::lround(designed.width() * scale));
    const int height = static_cast<int>(std::lround(designed.height() * scale));
    return {scale, QPoint(std::max(0, (area.width() - width) / 2),
                          std::max(0, (area.height() - height) / 2))};
}

QRect ScaledPlace(const QRect& place, qreal scale) {
    auto scaled = [scale](int pixels) {
        return static_cast<int>(std::lround(pixels * scale));
    };
    const int left = scaled(place.x());
    const int top = scaled(place.y());
    const int width = scaled(place.x() + place.width()) - left;
    const int height = scaled(place.y() + place.height()) - top;
    // A line drawn one pixel thick keeps some thickness however small the scale.
    return {left, top, place.width() > 0 ? std::max(width, 1) : 0,
            place.height() > 0 ? std::max(height, 1) : 0};
}

ScaledTable::ScaledTable(QWidget* area, QSize designed)
    : QObject(area), area_(area), designed_(designed) {
    for (QWidget* widget : area->findChildren<QWidget*>()) {
        controls_.push_back(
            {widget, widget->geometry(), widget->font(), widget->parentWidget() == area});
    }
    area->installEventFilter(this);
}

bool ScaledTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Resize) {
        const TableFit fit = FitTable(area_->size(), designed_);
        if (fit != fit_) {
            Apply(fit);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScaledTable::Apply(const TableFit& fit) {
    fit_ = fit;
    for (const Control& control : controls_) {
        if (control.widget == nullptr) {
            continue;
        }
        QFont font = control.font;
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(font.pointSizeF() * fit.scale);
        } else {
            font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * fit.scale)));
        }
        control.widget->setFont(font);
        const QRect place = ScaledPlace(control.place, fit.scale);
        control.widget->setGeometry(control.onTable ? place.translated(fit.offset) : place);
    }
}

} // namespace corvanta
