#include "techniques.h"

// Not written yet.
bool FindChains(const TCandidateGrid &, TChaining, TFind, TSteps &) { return false; }
int ChainLengthBonus(int) { return 0; }
