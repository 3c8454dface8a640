// The player: the removable drive that receives the songs, found at
// start-up or chosen by the user, and its space.
#pragma once

#include <string>

#include "app/state_store.h"

// The free bytes of the player's volume, asked afresh. False (and 0 bytes)
// when the volume cannot tell, so that no song is taken to fit.
bool PlayerFreeBytes(const std::string& player, double& freeBytes);
