#include "techniques.h"

// Not written yet.
bool FindUniqueLoops(const TCandidateGrid &, TFind, TSteps &) { return false; }
