#include "model/ideal_gas.h"

#include "model/unit_factors.h"

#include <cmath>
#include <limits>

namespace ideal_gas {
namespace {

constexpr double kNotPossible = std::numeric_limits<double>::quiet_NaN();

// A quantity given by the user that may not be negative; NaN (a box that showed "???") counts as negative.
bool IsNegative(double value) {
    return !(value >= 0.0);
}

// The first problem found is the one reported.
class Computation {
public:
    Computation(const Conditions& conditions, Quantities& q) : m_c(conditions), m_q(q) {}

    void VolumeFromAmount() {
        const Problem problem = ConditionsProblem();
        if (Report(problem != Problem::None ? problem
                                            : (IsNegative(m_q.n) ? Problem::Amount : Problem::None)))
            m_q.V = kNotPossible;
        else
            m_q.V = m_q.n * R() * Absolute() / m_c.p;
    }

    void AmountFromVolume() {
        const Problem problem = ConditionsProblem();
        if (Report(problem != Problem::None ? problem
                                            : (IsNegative(m_q.V) ? Problem::Volume : Problem::None)))
            m_q.n = kNotPossible;
        else
            m_q.n = m_q.V * m_c.p / (R() * Absolute());
    }

    void MassFromAmount() {
        if (m_q.M == 0.0)
            return;
        if (Report(IsNegative(m_q.M) ? Problem::MolarMass
                                     : (IsNegative(m_q.n) ? Problem::Amount : Problem::None)))
            m_q.mass = kNotPossible;
        else
            m_q.mass = m_q.n * m_q.M;
    }

    void AmountFromMass() {
        if (m_q.M == 0.0)
            return;
        if (Report(IsNegative(m_q.M) ? Problem::MolarMass
                                     : (IsNegative(m_q.mass) ? Problem::Mass : Problem::None)))
            m_q.n = kNotPossible;
        else
            m_q.n = m_q.mass / m_q.M;
    }

    Problem Result() const {
        if (m_problem != Problem::None)
            return m_problem;
        const bool finite = std::isfinite(m_q.n) && std::isfinite(m_q.mass) && std::isfinite(m_q.V);
        return finite ? Problem::None : Problem::Overflow;
    }

private:
    Problem ConditionsProblem() const {
        if (!(m_c.p > 0.0) || !std::isfinite(m_c.p))
            return Problem::Pressure;
        if (!(Absolute() > 0.0) || !std::isfinite(Absolute()))
            return Problem::Temperature;
        return Problem::None;
    }
    double Absolute() const { return AbsoluteTemperature(m_c.T, m_c.temperatureUnit); }
    double R() const { return GasConstant(m_c.volumeUnit, m_c.pressureUnit, m_c.temperatureUnit); }

    // Keeps the first problem; true when there is one now.
    bool Report(Problem problem) {
        if (problem == Problem::None)
            return false;
        if (m_problem == Problem::None)
            m_problem = problem;
        return true;
    }

    const Conditions& m_c;
    Quantities& m_q;
    Problem m_problem = Problem::None;
};

} // namespace

Problem Recompute(const Conditions& conditions, Quantities& quantities, Given given) {
    Computation computation(conditions, quantities);
    switch (given) {
    case Given::Conditions:
        computation.VolumeFromAmount();
        break;
    case Given::Moles:
        computation.MassFromAmount();
        computation.VolumeFromAmount();
        break;
    case Given::Mass:
        computation.AmountFromMass();
        computation.VolumeFromAmount();
        break;
    case Given::Volume:
        computation.AmountFromVolume();
        computation.MassFromAmount();
        break;
    }
    return computation.Result();
}

} // namespace ideal_gas
