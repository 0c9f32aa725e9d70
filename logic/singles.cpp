#include "techniques.h"

// Not written yet.
bool FindHiddenSingles(const TCandidateGrid &, TFind, TSteps &) { return false; }
bool FindNakedSingles(const TCandidateGrid &, TFind, TSteps &) { return false; }
