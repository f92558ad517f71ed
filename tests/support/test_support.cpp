#include "test_support.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "cards/card_tables.h"

double ScriptedRandom::Rnd() {
    if (values_.empty()) {
        return 0.0;
    }
    const size_t index = std::min(static_cast<size_t>(draws_), values_.size() - 1);
    ++draws_;
    return values_[index];
}

GameState MakeState(int16_t contract) {
    GameState s;
    InitCardTables(s);
    ScriptedRandom random({0.0, 0.1, 0.2});
    NewMatchConstants(s, random);
    s.Contract = contract;
    SetRankOrder(s);
    return s;
}

int16_t CardId(std::string_view name) {
    GameState s;
    InitCardTables(s);
    const std::string wanted = std::string(name) + ".BMP";
    for (int16_t id = 0; id < kCards; ++id) {
        if (s.CardImageName[id] == wanted) {
            return id;
        }
    }
    throw std::invalid_argument("no card named " + std::string(name));
}

void RebuildHeld(GameState& s, int seat) {
    int16_t count = 0;
    for (int slot = 0; slot < 13; ++slot) {
        if (s.Hand[seat][slot].InUse) {
            s.HeldCards[seat][count++] = s.Hand[seat][slot].Card;
        }
    }
    s.HeldCount[seat] = count;
}

void GiveHand(GameState& s, int seat, std::initializer_list<std::string_view> cards) {
    for (auto& record : s.Hand[seat]) {
        record.InUse = false;
    }
    int slot = 0;
    for (std::string_view name : cards) {
        CardRecord& record = s.Hand[seat][slot++];
        record.Card = CardId(name);
        record.InUse = true;
        record.FaceUp = seat == kHumanSeat;
    }
    RebuildHeld(s, seat);
}

void PutOnTable(GameState& s, std::initializer_list<std::string_view> cards) {
    s.TableCount = 0;
    for (std::string_view name : cards) {
        CardRecord& record = s.TableCards[s.TableCount++];
        record.Card = CardId(name);
        record.InUse = true;
        record.FaceUp = true;
    }
}
