#pragma once
// Message boxes and input prompts with the game's titles. Two-line texts hold a lone carriage
// return between their lines, which Qt shows as a line break in plain text, and which what
// assistive technology reads and Ctrl+C copies keep as it is.

#include "bank/ChangeAccount.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

#include <string_view>

class QWidget;

namespace corvanta {

// A core text (UTF-8) for a caption. A never-assigned name is all NUL characters, which
// show as nothing.
QString ToQString(std::string_view utf8);

// A sum of money as every window writes it: "$150", "$ 50" or "150" (see MoneyForm).
QString MoneyText(const Money& money);

// A modal box with an OK button and no icon.
void ShowMessage(QWidget* parent, const QString& title, const QString& text);

// Where a box goes on the desktop, given its size: its top-left corner. Empty: centred on its
// parent, as Qt places it.
using BoxPlace = std::function<QPoint(QSize)>;

// A modal box with Yes and No and no icon; true for Yes. Enter answers `byDefault`.
enum class YesNo { Yes, No };
bool AskYesNo(QWidget* parent, const QString& title, const QString& text,
              YesNo byDefault = YesNo::Yes, const BoxPlace& place = {});

// The top-left corner of a box of `size` that leaves `keepClear` in view, on `screen`: below
// it and centred on it; above it when there is no room below; else beside it, on the side
// with room; kept on the screen when nothing has room.
QPoint PlaceClearOf(const QRect& keepClear, QSize size, const QRect& screen);

// A modal one-line prompt; Cancel gives the empty text.
QString AskText(QWidget* parent, const QString& title, const QString& prompt,
                const QString& defaultText = {});

// Puts a question of a core dialogue to the player: a prompt, a Yes/No box or a message.
Answer AskPlayer(QWidget* parent, const Question& question);

} // namespace corvanta
