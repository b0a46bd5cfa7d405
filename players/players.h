// SPDX-License-Identifier: MIT
// The computer seats' card choice. Deterministic rules that read every hand,
// the current trick, the openings of completed tricks and the declarations.
#pragma once

#include <cstdint>

#include "engine/card_set.h"
#include "engine/game_state.h"

namespace gub {

// One deck: the slot of the seat's card; sets `leadSuit` when the seat leads.
int32_t ChooseCard(GameState& game, int32_t seat);
// The whole-deal loop's computer turn: ChooseCard and AddPlay in one step,
// the choice made from the deal's card sets, which follow the play (the loop
// keeps them play by play rather than reading every hand at each decision).
void PlayCard(GameState& game, DealCards& deal, int32_t seat);
int32_t GubLeadCard(const GameState& game, int32_t seat);
int32_t SuitLeadScore(const GameState& game, int32_t seat, int32_t suit, int32_t& slot);

// Two decks: writes the play into the current trick and removes the cards.
// -2 after a lead or a pair answer, otherwise the slot the single card left.
int32_t PlayCardTwoDecks(GameState& game, int32_t seat);
// The same from the deal's card sets, which follow the play.
int32_t PlayCardTwoDecks(GameState& game, DealCards& deal, int32_t seat);
int32_t LeadTwoDecks(GameState& game, int32_t seat);
int32_t AnswerPair(GameState& game, int32_t seat);
int32_t SuitLeadScoreTwoDecks(const GameState& game, int32_t seat, int32_t suit, int32_t& slot);

}  // namespace gub
