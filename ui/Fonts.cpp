#include "ui/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QLabel>

#include <algorithm>

namespace corvanta {

void InstallGameFonts() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont standard(QStringLiteral("MS Sans Serif"));
    standard.setPointSizeF(8.25);
    QApplication::setFont(standard);
}

void GrowToText(QLabel* label) {
    const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
    label->resize(std::max(label->width(), textWidth), label->height());
}

} // namespace corvanta
