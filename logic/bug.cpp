#include "techniques.h"

// Not written yet.
bool FindBug(const TCandidateGrid &, TFind, TSteps &) { return false; }
