// SPDX-License-Identifier: MIT
// The options dialog: speed, sound, score limit, deck variant and the two house
// rules. Every click takes effect and is saved at once; the score limit is
// taken when the dialog closes, which is the only way out.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <vector>

#include "engine/settings.h"

class wxCheckBox;
class wxRadioButton;
class wxTextCtrl;
class wxButton;
class wxCommandEvent;
class wxCloseEvent;
class wxKeyEvent;

namespace gub {

class OptionsDialog : public wxDialog {
 public:
  OptionsDialog(wxWindow* parent, Settings& settings);

 private:
  // A control and its place in dialog units.
  struct Placement {
    wxWindow* control;
    int x, y, width, height;
  };
  // Places every control; returns how much wider than its template the
  // layout came out.
  double placeControls(const std::vector<Placement>& layout);
  void showSettings();
  void onSound(wxCommandEvent& event);
  void onToggle(wxCommandEvent& event);
  void onSpeed(wxCommandEvent& event);
  void onCloseButton(wxCommandEvent& event);
  void onCloseWindow(wxCloseEvent& event);
  void onCharHook(wxKeyEvent& event);
  void closeDialog();

  Settings& settings_;
  // The score-limit value the field was filled from, and that text, so that
  // a value the field can't show as typed (a negative limit from the file)
  // survives opening and closing the dialog untouched.
  int32_t scoreLimit_;
  wxString shownLimitText_;
  bool closing_ = false;

  wxButton* closeButton_;
  wxCheckBox* sound_;
  wxCheckBox* declareExceptSheep_;
  wxRadioButton* fast_;
  wxRadioButton* normal_;
  wxRadioButton* slow_;
  // Selected when the speed is none of the three: a radio group on GTK always
  // has one button set, and an unusual speed must show none of them.
  wxRadioButton* noSpeed_;
  wxTextCtrl* scoreLimitField_;
  wxCheckBox* oppositeIsFriend_;
  wxCheckBox* twoDecks_;
  // Close, Sound, declare except sheep, the limit, opposite is friend, 2 cards.
  std::array<wxWindow*, 6> tabStops_;
};

}  // namespace gub
