// SPDX-License-Identifier: MIT
// The rules at hand: a modal page with the rules in plain words, the scoring
// table, what declaring does, the keys and the player's statistics. It only
// shows; closing it leaves the game exactly as it was.
#pragma once

#include <wx/dialog.h>

#include "shell/statistics.h"

namespace gub {

class RulesDialog : public wxDialog {
 public:
  RulesDialog(wxWindow* parent, const Statistics& statistics);
};

// The page's text, statistics included; plain so it can be checked without
// a window.
std::string RulesText(const Statistics& statistics);

}  // namespace gub
