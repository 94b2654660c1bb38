#pragma once

// The panels of "Tooth Proportions" and the hob steps as a design fills
// them: full-depth teeth (addendum factor 1, whole depth factor 2.25, no
// tolerance), full circular fillets, the factors on the main window, and
// normalised hobs of addendum 1.25, edge radius 0.3, 20 degrees and
// thickness pi / 2.

#include "SequenceFakes.h"

#include <string>

namespace cindrel::sequence::testing {

// Sets the main window's proportion and hob panels to that design,
// adding the controls that are missing.
inline void fillProportionPanels(FakeControls& controls)
{
    const auto set = [&controls](const char* name, const std::string& value, int index = -1) {
        controls.add(mainControl(name, index), value);
    };
    for (int i : {0, 1}) {
        set("lblODHowInput", "0", i);
        set("txtODDim", "1", i);
        set("TxtAddTol", "0", i);
        set("lblWholeDepthHowInput", "0", i);
        set("txtWholeDepth", "2.25", i);
        set("lblFilletType", "0", i);
        set("lblHobNormalVsActual", "0", i);
        set("txtHobAddendum", "1.25", i);
        set("txtHobEdgeRad", "0.3", i);
        set("txtHobPA", "20", i);
        set("txtHobTThk", "1.5707963267949", i);
        set("txtHobProtuberance", "0", i);
    }
    set("chkAGMA", "0");
}

} // namespace cindrel::sequence::testing
