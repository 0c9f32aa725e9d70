#include "techniques.h"

// Not written yet.
bool FindLocking(const TCandidateGrid &, bool, TFind, TSteps &) { return false; }
