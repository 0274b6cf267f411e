// random.h -- the aquarium's random draws: the generator is reseeded from the time in whole
// seconds right before every draw, so draws within one second repeat.
#pragma once

// srand(time(NULL)) followed by rand(): a value from 0 to 32767.
int timeSeededRand();
