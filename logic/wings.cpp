#include "techniques.h"

// Not written yet.
bool FindXYWings(const TCandidateGrid &, bool, TFind, TSteps &) { return false; }
