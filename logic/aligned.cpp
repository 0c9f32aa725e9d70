#include "techniques.h"

// Not written yet.
bool FindAlignedExclusion(const TCandidateGrid &, int, TFind, TSteps &) { return false; }
