#pragma once
// Message boxes and input prompts with the game's titles. Two-line texts hold a lone carriage
// return between their lines, which Qt shows as a line break in plain text, and which what
// assistive technology reads and Ctrl+C copies keep as it is.

#include "bank/ChangeAccount.h"

#include <QString>

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

// A modal box with Yes and No and no icon; true for Yes. Enter answers `byDefault`.
enum class YesNo { Yes, No };
bool AskYesNo(QWidget* parent, const QString& title, const QString& text,
              YesNo byDefault = YesNo::Yes);

// A modal one-line prompt; Cancel gives the empty text.
QString AskText(QWidget* parent, const QString& title, const QString& prompt,
                const QString& defaultText = {});

// Puts a question of a core dialogue to the player: a prompt, a Yes/No box or a message.
Answer AskPlayer(QWidget* parent, const Question& question);

} // namespace corvanta
