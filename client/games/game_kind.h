// What kind of game a room plays, as "NEW^" sends it and "JOINORDER^" answers.
#pragma once

namespace lobby {

enum GameKind { kStarCraft = 1, kDirectPlayGame = 2, kRegisteredGame = 3 };

// A kind the server names by number: any number but StarCraft's and
// DirectPlay's is a registered game.
inline GameKind GameKindFromWire(int number) {
    if (number == kStarCraft) return kStarCraft;
    if (number == kDirectPlayGame) return kDirectPlayGame;
    return kRegisteredGame;
}

} // namespace lobby
