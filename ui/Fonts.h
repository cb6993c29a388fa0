#pragma once

class QLabel;

namespace corvanta {

// The windows were designed in Arial and MS Sans Serif 8.25 pt; Liberation Sans has the
// same metrics, so captions sized for those fonts keep fitting. Every window without a
// font of its own uses MS Sans Serif 8.25 pt.
void InstallGameFonts();

// Liberation Sans runs a few pixels wider than the font some captions were sized for: such
// a caption's label grows to its text. Only used where nothing stands in the way.
void GrowToText(QLabel* label);

} // namespace corvanta
