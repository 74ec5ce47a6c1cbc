#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Why a reaction cannot be balanced. Thrown by the balancing and caught by its caller, which shows the text.
class ReactionBalancingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The texts the balancing reports, exactly as the user sees them.
namespace balance_text {
inline constexpr const char* kBalancedOk = "Reaction balanced OK.";
inline constexpr const char* kEmptyReactant = "Can't balance - empty reactant or error in formula.";
inline constexpr const char* kEmptyProduct = "Can't balance - empty product or error in formula.";
inline constexpr const char* kTooManySubstances = "Can't balance - too many substances.";
inline constexpr const char* kOneSided = "Can't balance - %s only on one side of the equation.";
inline constexpr const char* kInconsistent = "Can't balance - inconsistent system of equations.";
inline constexpr const char* kSingular = "Can't balance - singular matrix.";
inline constexpr const char* kNegative = "Can't balance without negative coefficients.";
inline constexpr const char* kTooLarge = "Can't balance - numbers too large.";
} // namespace balance_text

// The element symbol of an element-table row, for the one-sided message.
using ElementSymbolLookup = std::function<std::string(int row)>;

// How the system is solved. All give the same result for every system; the choice is for tests.
enum class BalanceArithmetic {
    Automatic, // fractions, or the modular path for large reactions; exact integers where they cannot decide
    FractionFree, // fraction-free big integers throughout
    Modular,      // the modular path, then exact sparse integers, then the fractions as Automatic does
    SparseExact   // exact sparse integers, then the fractions as Automatic does
};

// Finds the smallest positive integer coefficients that conserve every element and the charge. `packed` holds
// one composition per substance, reactants first, then products (index 0 the charge, index i the count of
// element-table row i); the first `reactantCount` are reactants. Both sides must hold at least one substance.
// The system is solved exactly by Gaussian elimination with partial pivoting and the last coefficient fixed
// to 1. Fractions of 64-bit integers solve ordinary reactions. A large reaction, or one whose fractions
// outgrow 64 bits, is solved modulo a 64-bit prime and the answer checked exactly; what that cannot prove, an
// exact integer elimination over GMP decides (with full rank any order of elimination finds the one solution;
// without, the fractions and a fraction-free elimination decide step for step). So every reaction whose
// coefficients fit an int balances, unless a system without full rank is so large that the last would take
// more than about a second ("numbers too large"). Throws ReactionBalancingError with the reason when the
// reaction cannot be balanced.
std::vector<int> BalanceCompositions(const std::vector<std::vector<int>>& packed, int reactantCount,
                                     const ElementSymbolLookup& symbolOfRow,
                                     BalanceArithmetic arithmetic = BalanceArithmetic::Automatic);
