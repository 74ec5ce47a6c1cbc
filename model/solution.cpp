#include "model/solution.h"

#include "model/unit_factors.h"

#include <cmath>
#include <limits>
#include <utility>

namespace solution {
namespace {

const CEditableDouble kNotPossible{std::numeric_limits<double>::quiet_NaN(), 0};

// NaN (a box that showed "???") counts as negative.
bool IsNegative(const CEditableDouble& value) {
    return !(value.value >= 0.0);
}

class Computation {
public:
    explicit Computation(Values& values) : v(values) {}

    void MolesFromMass() {
        if (v.M == 0.0)
            return;
        if (Check({{v.M, Problem::MolarMass}, {v.mass, Problem::Mass}}))
            v.n = v.mass / v.M;
        else
            v.n = kNotPossible;
    }

    void MassFromMoles() {
        if (Check({{v.M, Problem::MolarMass}, {v.n, Problem::Moles}}))
            v.mass = v.M * v.n;
        else
            v.mass = kNotPossible;
    }

    void ConcentrationFromMolesAndVolume() {
        if (v.V == 0.0)
            return;
        if (Check({{v.n, Problem::Moles}, {v.V, Problem::Volume}}))
            v.C = (v.n * ConcentrationFactor()) / (v.V / VolumeFactor());
        else
            v.C = kNotPossible;
    }

    void VolumeFromMolesAndConcentration() {
        if (v.C == 0.0)
            return;
        if (Check({{v.n, Problem::Moles}, {v.C, Problem::Concentration}}))
            v.V = (v.n * VolumeFactor()) / (v.C / ConcentrationFactor());
        else
            v.V = kNotPossible;
    }

    void MolesFromVolumeAndConcentration() {
        if (Check({{v.V, Problem::Volume}, {v.C, Problem::Concentration}}))
            v.n = (v.V / VolumeFactor()) * (v.C / ConcentrationFactor());
        else
            v.n = kNotPossible;
        MassFromMoles();
    }

    Problem Result() const { return m_problem; }

private:
    struct Input {
        const CEditableDouble& value;
        Problem problem;
    };
    // True when no input is negative; else the first negative one is reported (unless an earlier step
    // reported one already).
    bool Check(std::initializer_list<Input> inputs) {
        for (const Input& input : inputs) {
            if (IsNegative(input.value)) {
                if (m_problem == Problem::None)
                    m_problem = input.problem;
                return false;
            }
        }
        return true;
    }
    double VolumeFactor() const { return VolumeUnitFactors.at(static_cast<std::size_t>(v.volumeUnit)); }
    double ConcentrationFactor() const {
        return ConcentrationUnitFactors.at(static_cast<std::size_t>(v.concentrationUnit));
    }

    Values& v;
    Problem m_problem = Problem::None;
};

} // namespace

Problem Recompute(Values& values, Given given, int mode) {
    Computation c(values);
    switch (given) {
    case Given::MolarMass:
        if (values.M != 0.0) {
            c.MolesFromMass();
            c.ConcentrationFromMolesAndVolume();
        }
        break;
    case Given::Mass:
    case Given::Moles:
        if (given == Given::Mass)
            c.MolesFromMass();
        else
            c.MassFromMoles();
        if (mode == kConcentrationConst)
            c.VolumeFromMolesAndConcentration();
        else if (mode != kAmountConst)
            c.ConcentrationFromMolesAndVolume();
        break;
    case Given::Volume:
        if (mode == kAmountConst)
            c.ConcentrationFromMolesAndVolume();
        else if (mode != kVolumeConst)
            c.MolesFromVolumeAndConcentration();
        break;
    case Given::Concentration:
        if (mode == kAmountConst)
            c.VolumeFromMolesAndConcentration();
        else if (mode != kConcentrationConst)
            c.MolesFromVolumeAndConcentration();
        break;
    }
    return c.Result();
}

Problem FindProblem(const Values& values) {
    const std::pair<const CEditableDouble&, Problem> checks[] = {
        {values.M, Problem::MolarMass}, {values.mass, Problem::Mass},       {values.n, Problem::Moles},
        {values.V, Problem::Volume},    {values.C, Problem::Concentration},
    };
    for (const auto& [value, problem] : checks)
        if (IsNegative(value) || !std::isfinite(value.value))
            return problem;
    return Problem::None;
}

} // namespace solution
