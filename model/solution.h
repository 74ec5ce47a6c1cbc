#pragma once

#include "model/editable_double.h"

// n = C·V of the concentration calculator: the amount of a substance in a solution from its volume and
// concentration or the other way round, with the molar mass linking amount and mass. The values carry their
// significant digits (a product or quotient of two counted values takes the smaller count, raised to the
// display digits).
//
// A division by a zero M, V or C is never made: the value that would come out of it keeps what it held. A
// negative input makes what depends on it impossible: it comes out as NaN, which a box shows as "???", and
// the recomputation says which input it was.
namespace solution {

struct Values {
    CEditableDouble M;         // g/mol
    CEditableDouble mass;      // g
    CEditableDouble n;         // mol
    CEditableDouble V;         // in the volume unit
    CEditableDouble C;         // in the concentration unit
    int volumeUnit = 1;        // VolumeUnitNames: mL
    int concentrationUnit = 0; // ConcentrationUnitNames: mol/L
};

// Which quantity the user changed.
enum class Given { MolarMass, Mass, Moles, Volume, Concentration };

// Which quantity stays as it is (the calculator's radio group).
enum Mode { kBeSmart = 0, kVolumeConst = 1, kConcentrationConst = 2, kAmountConst = 3 };

// The input that made a result impossible.
enum class Problem { None, MolarMass, Mass, Moles, Volume, Concentration };

// Recomputes what depends on the given quantity in the mode:
//   M:    n from mass, then C from n and V (only with M not 0)
//   mass: n from mass; then V from n and C with C constant, nothing more with the amount constant, else C
//   n:    mass = M·n; then V or C as for mass
//   V:    C from n and V with the amount constant, nothing with V constant, else n (and mass) from V and C
//   C:    V from n and C with the amount constant, nothing with C constant, else n (and mass) from V and C
Problem Recompute(Values& values, Given given, int mode);

// The first value that no solution can have (negative or not a number), in the order M, mass, n, V, C.
Problem FindProblem(const Values& values);

} // namespace solution
