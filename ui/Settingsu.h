// The player's choices kept between runs: the difficulty level, the sides the computer plays,
// the thinking limit, the rules, the time control, the window's size and place, the folder of the
// file dialogs, the board options and the move list. Nothing is kept at a first start, so it looks
// and plays as the game always has.
#pragma once

#include <QString>

class TMainForm;

// Gives `form` the choices kept in `file` (the user's own settings when empty), before it is
// first shown, and keeps its choices there again whenever it closes.
void RememberSettings(TMainForm& form, const QString& file = {});
