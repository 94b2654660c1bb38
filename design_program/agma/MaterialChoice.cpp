#include "MaterialChoice.h"

#include "AllowableStresses.h"
#include "BoxNumber.h"

#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cctype>

namespace cindrel::agma {

namespace {

namespace Col = MaterialColumn;

// A cell in a pattern; an empty cell stays empty.
std::string formatted(const MaterialRecord& material, int column, const char* pattern) {
    const std::string& cell = material.text(column);
    if (cell.empty())
        return {};
    try {
        return runtime::formatNumber(material.number(column), pattern);
    } catch (const runtime::RuntimeError&) {
        return cell;
    }
}

bool isUserTable(const std::string& key) {
    if (key.size() < 3)
        return false;
    std::string last = key.substr(key.size() - 3);
    std::transform(last.begin(), last.end(), last.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return last == "tbl";
}

} // namespace

MaterialChoice chooseMaterial(const MaterialRecord& material, bool sameMaterial, std::string_view typedHardness,
                              bool fullyReversing) {
    MaterialChoice choice;
    choice.modulus = formatted(material, Col::Modulus, "###,###,###");
    choice.poisson = formatted(material, Col::Poisson, "0.000");
    if (!sameMaterial || boxNumberOrZero(typedHardness) == 0)
        choice.hardness = formatted(material, Col::HardnessLowest, "###,###");
    const double h = boxNumberOrZero(choice.hardness ? std::string_view(*choice.hardness) : typedHardness);
    try {
        choice.sac = runtime::formatNumber(h * material.number(Col::SacSlope) + material.number(Col::SacIntercept),
                                           "###,###");
        choice.satUnreduced = runtime::formatNumber(
            h * material.number(Col::SatSlope) + material.number(Col::SatIntercept), "###,###");
    } catch (const runtime::RuntimeError&) {
        choice.sac.clear();
        choice.satUnreduced.clear();
    }
    choice.sat = fullyReversing ? reducedSat(choice.satUnreduced) : choice.satUnreduced;
    choice.note = material.text(Col::Note);
    choice.surfaceHardness = material.text(Col::SurfaceHardness);
    choice.hardnessUnit = material.text(Col::HardnessUnit);
    choice.shortUnit = choice.hardnessUnit.size() < 6;
    choice.bestMaterialsShown = boxNumberOrZero(material.text(Col::SatBest)) != 0;
    const std::string& key = material.text(Col::SourceKey);
    choice.sourceType = isUserTable(key) ? "User defined material table; " + key : "Internal material table";
    return choice;
}

std::string materialSourceLine(std::string_view path, std::string_view sac, std::string_view sat,
                               std::optional<double> hardness, std::string_view unit, bool fullyReversing) {
    std::string line(path);
    line.append(": ").append(sac).append(" psi-SAC ").append(sat).append(" psi-SAT");
    if (hardness)
        line.append(" @").append(runtime::numberText(*hardness)).append(" ").append(unit);
    if (fullyReversing)
        line.append(" fully reversing");
    return line;
}

} // namespace cindrel::agma
