#include "techniques.h"

// Not written yet.
bool FindNakedSets(const TCandidateGrid &, int, TFind, TSteps &) { return false; }
bool FindHiddenSets(const TCandidateGrid &, int, bool, TFind, TSteps &) { return false; }
