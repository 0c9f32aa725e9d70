#include "techniques.h"

// Not written yet.
bool FindFish(const TCandidateGrid &, int, TFind, TSteps &) { return false; }
