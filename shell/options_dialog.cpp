// SPDX-License-Identifier: MIT
// The options dialog, laid out in dialog units.
#include "shell/options_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "shell/score_limit.h"
#include "shell/settings_file.h"
#include "shell/sound.h"

namespace gub {

namespace {

// Nothing sits above the "Speed" frame, so everything moves up by this many
// dialog units and the dialog is that much shorter.
constexpr int ShiftUp = 78;
constexpr int DialogWidth = 180;
constexpr int DialogHeight = 203 - ShiftUp;

enum ControlId {
  IdSound = 1003,
  IdDeclareExceptSheep = 1009,
  IdFast = 1010,
  IdNormal = 1011,
  IdSlow = 1012,
  IdScoreLimit = 1014,
  IdOppositeIsFriend = 1015,
  IdTwoDecks = 1016,
};

}  // namespace

OptionsDialog::OptionsDialog(wxWindow* parent, Settings& settings)
    : settings_(settings), scoreLimit_(settings.maxScore) {
  Create(parent, wxID_ANY, "Gub Cards V3.00", wxDefaultPosition, wxDefaultSize,
         wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU);
  // Dialog units follow the dialog's font, so the font comes first.
  SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS)));

  // Controls are created in the order of the dialog's layout, each with its
  // place in dialog units; the tab order is set explicitly below.
  std::vector<Placement> layout;
  closeButton_ = new wxButton(this, wxID_CANCEL, "Close");
  layout.push_back({closeButton_, 59, 179, 50, 14});
  closeButton_->SetDefault();
  auto* rules = new wxStaticBox(this, wxID_ANY, "Setup Ruler");
  layout.push_back({rules, 5, 119, 167, 50});
  sound_ = new wxCheckBox(this, IdSound, "Sound");
  layout.push_back({sound_, 140, 95, 32, 10});
  declareExceptSheep_ = new wxCheckBox(this, IdDeclareExceptSheep, "declare except sheep");
  layout.push_back({declareExceptSheep_, 12, 152, 79, 10});
  auto* speed = new wxStaticBox(this, wxID_ANY, "Speed");
  layout.push_back({speed, 5, 84, 104, 27});
  fast_ = new wxRadioButton(this, IdFast, "fast", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  layout.push_back({fast_, 9, 95, 24, 10});
  normal_ = new wxRadioButton(this, IdNormal, "normal");
  layout.push_back({normal_, 39, 95, 32, 10});
  slow_ = new wxRadioButton(this, IdSlow, "slow");
  layout.push_back({slow_, 79, 95, 24, 10});
  noSpeed_ = new wxRadioButton(this, wxID_ANY, wxString());
  noSpeed_->Hide();
  auto* label = new wxStaticText(this, wxID_ANY, "MAX score:-");
  layout.push_back({label, 11, 130, 41, 8});
  scoreLimitField_ = new wxTextCtrl(this, IdScoreLimit, wxString(), wxDefaultPosition,
                                    wxDefaultSize, wxBORDER_SUNKEN | wxHSCROLL);
  layout.push_back({scoreLimitField_, 53, 128, 40, 14});
  oppositeIsFriend_ = new wxCheckBox(this, IdOppositeIsFriend, "opposite is friend");
  layout.push_back({oppositeIsFriend_, 100, 152, 68, 10});
  twoDecks_ = new wxCheckBox(this, IdTwoDecks, "2 cards");
  layout.push_back({twoDecks_, 100, 131, 40, 10});
  double widen = placeControls(layout);

  // Keyboard order: Close, Sound, declare except sheep, the limit, opposite is
  // friend, 2 cards. The speed buttons are reached with the mouse only.
  sound_->MoveAfterInTabOrder(closeButton_);
  declareExceptSheep_->MoveAfterInTabOrder(sound_);
  scoreLimitField_->MoveAfterInTabOrder(declareExceptSheep_);
  oppositeIsFriend_->MoveAfterInTabOrder(scoreLimitField_);
  twoDecks_->MoveAfterInTabOrder(oppositeIsFriend_);
  for (wxWindow* radio : {static_cast<wxWindow*>(fast_), static_cast<wxWindow*>(normal_),
                          static_cast<wxWindow*>(slow_), static_cast<wxWindow*>(noSpeed_)}) {
    radio->SetCanFocus(false);
  }
  tabStops_ = {closeButton_,      sound_,   declareExceptSheep_, scoreLimitField_,
               oppositeIsFriend_, twoDecks_};

  wxSize client = ConvertDialogToPixels(wxSize(DialogWidth, DialogHeight));
  SetClientSize(static_cast<int>(client.x * widen + 0.5), client.y);
  SetEscapeId(wxID_CANCEL);
  SetAffirmativeId(wxID_CANCEL);

  Bind(wxEVT_CHECKBOX, &OptionsDialog::onSound, this, IdSound);
  Bind(wxEVT_CHECKBOX, &OptionsDialog::onToggle, this, IdDeclareExceptSheep);
  Bind(wxEVT_CHECKBOX, &OptionsDialog::onToggle, this, IdOppositeIsFriend);
  Bind(wxEVT_CHECKBOX, &OptionsDialog::onToggle, this, IdTwoDecks);
  Bind(wxEVT_RADIOBUTTON, &OptionsDialog::onSpeed, this, IdFast, IdSlow);
  Bind(wxEVT_BUTTON, &OptionsDialog::onCloseButton, this, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, &OptionsDialog::onCloseWindow, this);
  Bind(wxEVT_CHAR_HOOK, &OptionsDialog::onCharHook, this);

  showSettings();
  CentreOnParent();
  closeButton_->SetFocus();
}

double OptionsDialog::placeControls(const std::vector<Placement>& layout) {
  // GTK draws its indicators and paddings larger than the template assumed,
  // so a label at its natural width would run into its neighbour or out of
  // its frame. The whole layout is widened by the one factor that gives every
  // check box, radio button and label its natural width; frames, gaps and the
  // edit field widen with it, so everything keeps its place relative to the
  // rest. Heights stay, each control at least its natural height, centred on
  // its row.
  double widen = 1.0;
  for (const Placement& place : layout) {
    bool keepsNominalWidth = dynamic_cast<wxStaticBox*>(place.control) != nullptr ||
                             dynamic_cast<wxTextCtrl*>(place.control) != nullptr;
    if (keepsNominalWidth) continue;
    int nominal = ConvertDialogToPixels(wxSize(place.width, 0)).x;
    widen = std::max(widen, static_cast<double>(place.control->GetBestSize().x) / nominal);
  }
  for (const Placement& place : layout) {
    wxPoint position = ConvertDialogToPixels(wxPoint(place.x, place.y - ShiftUp));
    wxSize nominal = ConvertDialogToPixels(wxSize(place.width, place.height));
    position.x = static_cast<int>(position.x * widen + 0.5);
    wxSize size(static_cast<int>(nominal.x * widen + 0.5), nominal.y);
    if (dynamic_cast<wxStaticBox*>(place.control) == nullptr) {
      size.y = std::max(nominal.y, place.control->GetBestSize().y);
    }
    position.y -= (size.y - nominal.y) / 2;
    place.control->SetSize(wxRect(position, size));
  }
  return widen;
}

void OptionsDialog::onCharHook(wxKeyEvent& event) {
  // Tab and Shift+Tab run round the six stops in a fixed ring. The toolkit's
  // own traversal also walks the hidden and focus-less radio buttons, which
  // leaves the focus stuck or invisible.
  int modifiers = event.GetModifiers() & ~wxMOD_SHIFT;
  if (event.GetKeyCode() != WXK_TAB || modifiers != wxMOD_NONE) {
    event.Skip();
    return;
  }
  const int count = static_cast<int>(tabStops_.size());
  int current = -1;
  for (wxWindow* focus = FindFocus(); focus != nullptr && focus != this && current < 0;
       focus = focus->GetParent()) {
    for (int i = 0; i < count; ++i) {
      if (tabStops_[i] == focus) current = i;
    }
  }
  int next = event.ShiftDown() ? (current < 0 ? count - 1 : (current + count - 1) % count)
                               : (current + 1) % count;
  tabStops_[next]->SetFocus();
  if (tabStops_[next] == scoreLimitField_) scoreLimitField_->SelectAll();
}

void OptionsDialog::showSettings() {
  shownLimitText_ = wxString::Format("%d", static_cast<int>(scoreLimit_));
  scoreLimitField_->ChangeValue(shownLimitText_);
  sound_->SetValue(settings_.soundOn != 0);
  declareExceptSheep_->SetValue(settings_.declareExceptSheep != 0);
  oppositeIsFriend_->SetValue(settings_.oppositeIsFriend != 0);
  twoDecks_->SetValue(settings_.twoDecks != 0);
  switch (settings_.speedDelayMs) {
    case 1:
      fast_->SetValue(true);
      break;
    case 1000:
      normal_->SetValue(true);
      break;
    case 2000:
      slow_->SetValue(true);
      break;
    default:
      noSpeed_->SetValue(true);
      break;
  }
}

void OptionsDialog::onSound(wxCommandEvent&) {
  // The handler flips the setting rather than reading the box back, so the
  // music and the file always follow the setting itself.
  if (settings_.soundOn != 0) {
    settings_.soundOn = 0;
    stopMusic();
  } else {
    settings_.soundOn = 1;
    openAudio();
    startMusic();
  }
  writeSetting(OffsetSoundOn, settings_.soundOn);
}

void OptionsDialog::onToggle(wxCommandEvent& event) {
  int32_t* field = nullptr;
  int32_t offset = 0;
  switch (event.GetId()) {
    case IdDeclareExceptSheep:
      field = &settings_.declareExceptSheep;
      offset = OffsetDeclareExceptSheep;
      break;
    case IdOppositeIsFriend:
      field = &settings_.oppositeIsFriend;
      offset = OffsetOppositeIsFriend;
      break;
    case IdTwoDecks:
      field = &settings_.twoDecks;
      offset = OffsetTwoDecks;
      break;
    default:
      return;
  }
  *field = toggledSetting(*field);
  writeSetting(offset, *field);
}

void OptionsDialog::onSpeed(wxCommandEvent& event) {
  switch (event.GetId()) {
    case IdFast:
      settings_.speedDelayMs = 1;
      break;
    case IdNormal:
      settings_.speedDelayMs = 1000;
      break;
    case IdSlow:
      settings_.speedDelayMs = 2000;
      break;
    default:
      return;
  }
  writeSetting(OffsetSpeedDelayMs, settings_.speedDelayMs);
}

void OptionsDialog::onCloseButton(wxCommandEvent&) { closeDialog(); }

void OptionsDialog::onCloseWindow(wxCloseEvent&) { closeDialog(); }

void OptionsDialog::closeDialog() {
  if (closing_) return;
  closing_ = true;
  wxString text = scoreLimitField_->GetValue();
  if (text != shownLimitText_) {
    std::optional<int32_t> parsed = parseScoreLimit(text.utf8_string());
    if (parsed) {
      scoreLimit_ = *parsed;
    } else {
      wxMessageBox(ScoreLimitRejected, "Gub Cards", wxOK, this);
    }
  }
  settings_.maxScore = scoreLimit_;
  writeSetting(OffsetMaxScore, settings_.maxScore);
  EndModal(wxID_CANCEL);
}

}  // namespace gub
