// SPDX-License-Identifier: MIT
// The rules of the game as operations on GameState: dealing, declaring, the
// rules of a trick and scoring, in one-deck and two-deck forms.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/settings.h"

namespace gub {

class TableView;

// --- Dealing ---------------------------------------------------------------
// Shuffle, deal sorted hands, reset the per-deal fields, let the computer seats
// (and seat 0 under "declare except sheep") declare, and choose the leader.
void DealOneDeck(GameState& game, const Settings& settings, RandomSource& random);
void DealTwoDecks(GameState& game, const Settings& settings, RandomSource& random);

// New game from the title screen: totals to 0, then a deal by the `twoDecks`
// setting.
void StartNewMatch(GameState& game, const Settings& settings, RandomSource& random);

// --- Declaring -------------------------------------------------------------
void DeclareForSeat(GameState& game, const Settings& settings, int32_t seat);
void DeclareForSeatTwoDecks(GameState& game, const Settings& settings, int32_t seat);
// The human's click on a card of the own hand while declaring; true when a
// declaration was added (the caller redraws only then).
bool DeclareHumanCard(GameState& game, int32_t slot);
bool DeclareHumanCardTwoDecks(GameState& game, int32_t slot);

// --- Trick play ------------------------------------------------------------
// True when a completed trick of this deal was led with `suit`.
bool IsSuitOpened(const GameState& game, int32_t suit);
// One deck: true when playing hand[slot] now breaks the declared-card rule.
bool IsRestrictedPlay(const GameState& game, const int32_t* hand, int32_t handSize, int32_t slot);
// Two decks: which card caused the refusal (1 gub card, 2 heart ace, 3 double,
// 4 sheep), 0 when allowed.
int32_t IsRestrictedPlayTwoDecks(const GameState& game, const int32_t* hand, int32_t slot);
// Whether the human may play the card or selection now. When the declared
// cards would leave the hand no legal play at all, they are free for this play.
bool CanPlayOneDeck(const GameState& game, int32_t slot);
// `second` is -1 when only one card is raised.
bool CanPlayTwoDecks(const GameState& game, int32_t first, int32_t second);
// True when the seat holds some card (two decks: single or pair) it may play
// now, by the same rules.
bool HasLegalPlay(const GameState& game, int32_t seat);
bool HasLegalPlayTwoDecks(const GameState& game, int32_t seat);
// Appends (seat, card) to the current trick and removes the card from the
// seat's one-deck hand; sets `leadSuit` on a lead. The caller advances
// `trickCount` and `turnSeat`.
void AddPlay(GameState& game, int32_t seat, int32_t slot);
// Two decks: `secondSlot` is -1 for a single card; it is the slot before the
// first card is removed (the removal accounts for the shift).
void AddPlayTwoDecks(GameState& game, int32_t seat, int32_t slot, int32_t secondSlot);
void ResolveTrick(GameState& game);
void ResolveTrickTwoDecks(GameState& game);

// --- Scoring ---------------------------------------------------------------
// Scoring cards each seat took this deal, in hand order. Fixed arrays: the
// drawing builds these on every frame and nothing may allocate during play.
struct TakenScoringCards {
  int32_t cards[4][104];
  int32_t count[4];
};

void BuildTakenLists(const GameState& game, TakenScoringCards& taken);
void BuildTakenListsTwoDecks(const GameState& game, TakenScoringCards& taken);
// The drawing's form: the same lists, and `gubTakerSeat` follows whoever took
// the queen of spades.
void BuildTakenListsAndGubTaker(GameState& game, TakenScoringCards& taken);
void BuildTakenListsTwoDecksAndGubTaker(GameState& game, TakenScoringCards& taken);

void ScoreDealBonuses(GameState& game);
void ScoreDealBonusesTwoDecks(GameState& game);
void ApplyDouble(GameState& game);
void ApplyDoubleTwoDecks(GameState& game);

// The end-of-deal rules after the last trick: bonuses, no seat to play, the
// double, deal over.
void FinishDealOneDeck(GameState& game);
void FinishDealTwoDecks(GameState& game);

// The click while the deal is over: add the deal into the totals, then end
// the match (with its sound) or deal again. `twoDeckDriver` picks the next
// deal as the two-deck driver does (by the setting); the one-deck driver
// always deals one deck.
void CloseDeal(GameState& game, const Settings& settings, RandomSource& random, TableView& view,
               bool twoDeckDriver);

}  // namespace gub
