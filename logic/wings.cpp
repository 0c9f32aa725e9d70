#include "scanorder.h"
#include "techniques.h"

// XY-Wing: a pivot xy sees two bivalue wings xz and yz; whichever value the
// pivot takes, one wing is z, so z is out of every cell that sees both wings.
// XYZ-Wing: the pivot is xyz itself, so the victims must see it too.

bool FindXYWings(const TCandidateGrid &grid, bool xyz, TFind find, TSteps &out) {
  const int pivotSize = xyz ? 3 : 2;
  bool found = false;
  // Pivots row by row, each row left to right.
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const int pivot = CellOf(col, row);
      const TDigits pivotDigits = grid.Candidates(pivot);
      if (DigitCount(pivotDigits) != pivotSize)
        continue;
      for (const int first : scan::Peers[pivot]) {
        const TDigits firstDigits = grid.Candidates(first);
        // The first wing shares all but one of the pivot's digits.
        if (DigitCount(firstDigits) != 2 || DigitCount(pivotDigits & ~firstDigits) != 1)
          continue;
        for (const int second : scan::Peers[pivot]) {
          const TDigits secondDigits = grid.Candidates(second);
          if (DigitCount(secondDigits) != 2)
            continue;
          const TDigits all = pivotDigits | firstDigits | secondDigits;
          const TDigits common = pivotDigits & firstDigits & secondDigits;
          if (DigitCount(all) != 3 || DigitCount(common) != (xyz ? 1 : 0))
            continue;
          const int z = FirstDigit(firstDigits & secondDigits);
          TCellSet victims = PeerSets[first] & PeerSets[second] & grid.Cells(z);
          if (xyz)
            victims &= PeerSets[pivot];
          victims.Remove(pivot);
          if (victims.Empty())
            continue;
          TStep step;
          step.technique = xyz ? TTechnique::XYZWing : TTechnique::XYWing;
          step.rating = xyz ? 44 : 42;
          step.cells = {std::uint8_t(pivot), std::uint8_t(first), std::uint8_t(second)};
          step.digits = all;
          for (const int cell : victims)
            step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(z)});
          out.push_back(std::move(step));
          found = true;
          if (find == TFind::First)
            return true;
        }
      }
    }
  return found;
}
