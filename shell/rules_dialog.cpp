// SPDX-License-Identifier: MIT
// The rules page: one read-only text and a Close button.
#include "shell/rules_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <string>

namespace gub {

namespace {

constexpr const char* Rules =
    "THE GAME\n"
    "Four players, you in front (south), then east, north and west. Each deal every player "
    "gets 13 cards (26 with two decks). The holder of the two of spades leads the first "
    "trick; later, whoever last took the queen of spades leads the first trick of a deal. "
    "Every player must follow the suit led if they can; otherwise any card may be played. "
    "The highest card of the suit led takes the trick and leads the next one. Aces are high.\n"
    "\n"
    "Most cards are worth nothing; the few below count for the player who takes them. "
    "Totals go down as you collect penalties: the match ends when some player's total falls "
    "to minus the score limit of Options. The best total wins.\n"
    "\n"
    "SCORING\n"
    "  Jack of diamonds (the sheep)     +100\n"
    "  Queen of spades (the gub card)   -100\n"
    "  Ace of hearts                     -50\n"
    "  King of hearts                    -40\n"
    "  Queen of hearts                   -30\n"
    "  Jack of hearts                    -20\n"
    "  Ten down to five of hearts        -10 each\n"
    "  Four, three, two of hearts          0\n"
    "  Ten of clubs (the double): doubles the deal score of whoever takes it; "
    "alone, with no heart and no queen of spades, it is worth +50.\n"
    "  Taking every heart turns the hearts positive; taking every scoring card turns the "
    "hearts and the queen of spades positive.\n"
    "\n"
    "DECLARING\n"
    "Before the first trick you may declare the queen of spades, the ace of hearts, the ten "
    "of clubs or the jack of diamonds by clicking it, then press Start. A declared card "
    "shows on the table and doubles its effect for the whole deal (the ace of hearts doubles "
    "all hearts; the ten of clubs then quadruples). A declared card may not be led, nor "
    "played to its own suit while you hold another card of that suit, until its suit has "
    "been led once.\n"
    "\n"
    "TWO DECKS\n"
    "Click a card to raise it, click it again (or double click, or press the right button) to "
    "play it. Two equal cards raised together are played as a pair.\n"
    "\n"
    "KEYS\n"
    "  Left, Right    move the cursor over your hand\n"
    "  Space          play the card under the cursor; two decks: raise or lower it;\n"
    "                 while declaring: declare it; after a deal: go on\n"
    "  Up             two decks: play the raised card or pair\n"
    "  S              press Start while declaring\n"
    "  H              hint: marks the card (or pair) to play\n"
    "  L              show the last trick; L again to go back\n"
    "  N, O           on the title: New game, Options\n"
    "  F1             this page\n"
    "  Keypad + / -   zoom\n"
    "  Escape         leave the game\n";

void appendVariant(std::string& text, const char* name, const VariantRecord& r) {
  char line[256];
  std::snprintf(line, sizeof line, "  %s: matches played %lld, won %lld\n", name,
                static_cast<long long>(r.matchesPlayed), static_cast<long long>(r.matchesWon));
  text += line;
  if (r.deals == 0) {
    text += "    no deal finished yet\n";
    return;
  }
  std::snprintf(line, sizeof line,
                "    deals %lld, average deal score %.1f, best deal %d, worst deal %d\n",
                static_cast<long long>(r.deals),
                static_cast<double>(r.dealScoreSum) / static_cast<double>(r.deals),
                static_cast<int>(r.bestDeal), static_cast<int>(r.worstDeal));
  text += line;
}

}  // namespace

std::string RulesText(const Statistics& statistics) {
  std::string text = Rules;
  text += "\nSTATISTICS\n";
  appendVariant(text, "One deck", statistics.variants[0]);
  appendVariant(text, "Two decks", statistics.variants[1]);
  return text;
}

RulesDialog::RulesDialog(wxWindow* parent, const Statistics& statistics) {
  Create(parent, wxID_ANY, "Gub Cards: rules and keys", wxDefaultPosition, wxDefaultSize,
         wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxRESIZE_BORDER);
  auto* text =
      new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(RulesText(statistics)), wxDefaultPosition,
                     FromDIP(wxSize(640, 560)), wxTE_MULTILINE | wxTE_READONLY);
  text->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE)));
  auto* close = new wxButton(this, wxID_CANCEL, "Close");
  close->SetDefault();
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(text, 1, wxEXPAND | wxALL, FromDIP(8));
  sizer->Add(close, 0, wxALIGN_CENTER | wxBOTTOM, FromDIP(8));
  SetSizerAndFit(sizer);
  // Escape, Enter and the button all close it, as in the options dialog.
  SetEscapeId(wxID_CANCEL);
  SetAffirmativeId(wxID_CANCEL);
  // From the top, not from where the text ended.
  text->SetInsertionPoint(0);
  text->ShowPosition(0);
  close->SetFocus();
  CentreOnParent();
}

}  // namespace gub
