#include "AgmaWindowLayout.h"

#include <vector>

namespace cindrel::layouts {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

// Where a control goes: the window, a member of a container array, or a tab
// of a tab strip.
struct Place {
    const char* container = "";
    int containerIndex = -1;
    int tab = -1;
};

const Place Window{};
Place page(int tab) { return {"pict", tab, -1}; }

// Controls in a page's grid: a caption column and one column per member.
constexpr double Row = 390;         // row pitch
constexpr double BoxHeight = 315;
constexpr double LabelHeight = 255;
constexpr double ButtonHeight = 375;
constexpr double LabelDrop = 30;    // a caption sits a little lower than its box

class Table {
public:
    ControlSpec& add(ControlKind kind, const char* name, int index, const Place& place, double left, double top,
                     double width, double height, const char* caption = "")
    {
        ControlSpec spec;
        spec.kind = kind;
        spec.name = QString::fromLatin1(name);
        spec.index = index;
        spec.container = QString::fromLatin1(place.container);
        spec.containerIndex = place.containerIndex;
        spec.tab = place.tab;
        spec.left = left;
        spec.top = top;
        spec.width = width;
        spec.height = height;
        spec.caption = QString::fromUtf8(caption);
        rows_.push_back(std::move(spec));
        return rows_.back();
    }
    ControlSpec& label(const char* name, int index, const Place& place, double left, double top, double width,
                       const char* caption, double height = LabelHeight)
    {
        return add(ControlKind::Label, name, index, place, left, top + LabelDrop, width, height, caption);
    }
    ControlSpec& box(const char* name, int index, const Place& place, double left, double top, double width,
                     const char* text = "")
    {
        return add(ControlKind::TextBox, name, index, place, left, top, width, BoxHeight, text);
    }
    ControlSpec& saved(ControlSpec& spec, const char* dataField)
    {
        spec.dataField = QString::fromLatin1(dataField);
        return spec;
    }
    // A hidden label that holds a mode or a key for the design file.
    ControlSpec& hidden(const char* name, int index, const Place& place, const char* caption, const char* dataField)
    {
        ControlSpec& spec = add(ControlKind::Label, name, index, place, 0, 0, 0, 0, caption);
        spec.visible = false;
        return saved(spec, dataField);
    }
    ControlSpec& button(const char* name, int index, const Place& place, double left, double top, double width,
                        const char* caption)
    {
        return add(ControlKind::CommandButton, name, index, place, left, top, width, ButtonHeight, caption);
    }
    ControlSpec& menu(const char* name, const char* container, const char* caption)
    {
        ControlSpec& spec = add(ControlKind::MenuItem, name, -1, {container}, 0, 0, 0, 0, caption);
        return spec;
    }

    std::vector<ControlSpec> take() { return std::move(rows_); }

private:
    std::vector<ControlSpec> rows_;
};

void windowFrame(Table& t)
{
    t.menu("mnuOptions", "", "&Options");
    t.menu("mnuNotes", "mnuOptions", "Show notes");
    t.menu("mnuMaterials", "", "&Materials Menu").visible = false;
    t.menu("mnuExpandAll", "mnuMaterials", "Expand Treeview");
    t.menu("mnuCollapseAll", "mnuMaterials", "Collapse Treeview");
    t.menu("mnuHardnessPatts", "mnuMaterials", "Show Hardness Patterns");
    t.menu("mnuPittingEq", "", "&Pitting Equation");
    t.menu("mnuBendEq", "", "&Bending Equation");
    t.menu("mnuAbout", "", "&About...");

    ControlSpec& tabs = t.add(ControlKind::TabStrip, "tabMain", -1, Window, 120, 120, 10080, 4980);
    tabs.items = {QStringLiteral("Set Inputs"), QStringLiteral("Materials"), QStringLiteral("Kv"), QStringLiteral("Kb"),
                  QStringLiteral("Km"), QStringLiteral("Ko, Kr, Kt, Ks"), QStringLiteral("Yn, Zn"),
                  QStringLiteral("Sf, Sh, Ch, Cf"), QStringLiteral("Horsepower")};
    for (int tab = 0; tab < 9; ++tab) {
        ControlSpec& pict = t.add(ControlKind::PictureBox, "pict", tab, {"tabMain", -1, tab}, 60, 60, 9180, 4380);
        pict.border = false;
    }
    t.button("cmdPrevious", -1, Window, 6840, 5160, 1620, "<- Previous");
    t.button("cmdNext", -1, Window, 8580, 5160, 1620, "Next ->").visible = false;

    // The notes area: the help text and the two equation pictures share one place.
    t.add(ControlKind::PictureBox, "imaPac", -1, Window, 250, AgmaNotesTop, 7395, 1065);
    t.add(ControlKind::PictureBox, "ImaPat", -1, Window, 250, AgmaNotesTop, 7395, 1065);
    t.label("lblHelpText", -1, Window, 250, AgmaNotesTop - LabelDrop, 7395, "", 1065);
    t.label("lblDescription", -1, Window, 7800, AgmaNotesTop - LabelDrop, 2400, "", 1065);
}

void setInputsPage(Table& t)
{
    const Place p = page(0);
    static const char* const captions[] = {"Pinion speed, rpm.", "Effective face width, inch.",
                                           "Pinion pitch diameter, inch.", "Transverse diametral pitch",
                                           "Ratio, nG/nP, 1 or greater"};
    static const char* const initial[] = {"1000", "5", "12", "2", "4.21"};
    for (int k = 0; k < 5; ++k) {
        const double top = 240 + k * Row;
        t.label("lblInps", k, p, 240, top, 3000, captions[k]);
        ControlSpec& box = t.box("txtInps", k, p, 3360, top, 1200, initial[k]);
        if (k == 0)
            t.saved(box, "AGMASpeedRPMPinion");
    }
    t.label("lblJay", 0, p, 240, 240 + 5 * Row, 3000, "J factor Pinion");
    t.box("txtJay", 0, p, 3360, 240 + 5 * Row, 1200, ".45");
    t.label("lblJay", 1, p, 240, 240 + 6 * Row, 3000, "J factor Gear");
    t.box("txtJay", 1, p, 3360, 240 + 6 * Row, 1200, ".40");
    t.label("lblEye", -1, p, 240, 240 + 7 * Row, 3000, "I factor");
    t.box("txtEye", -1, p, 3360, 240 + 7 * Row, 1200, ".11");
}

// Kb: one inner tab per member, the gear's built first.
void kbPage(Table& t)
{
    const Place p = page(3);
    ControlSpec& inner = t.add(ControlKind::TabStrip, "TabKb", -1, p, 120, 120, 6600, 3300);
    inner.items = {QStringLiteral("Pinion"), QStringLiteral("Gear")};
    static const char* const depthField[] = {"AGMAKbWholeDepthP", "AGMAKbWholeDepthG"};
    static const char* const rimField[] = {"AGMAKbRimThicknessP", "AGMAKbRimThicknessG"};
    static const char* const kbField[] = {"AGMAKbFactorP", "AGMAKbFactorG"};
    for (int m : {1, 0}) {
        const Place tab{"TabKb", -1, m};
        t.label("lblKBin", 2 * m, tab, 120, 240, 3360, "Height of tooth, or whole depth. ");
        t.saved(t.box("txtKBin", 2 * m, tab, 3600, 240, 1200, "2.25"), depthField[m]);
        t.label("lblKbUnits", 2 * m, tab, 4920, 240, 1080, "(in) ");
        t.label("lblKBin", 2 * m + 1, tab, 120, 240 + Row, 3360, "Thickness of rim.");
        t.saved(t.box("txtKBin", 2 * m + 1, tab, 3600, 240 + Row, 1200, "2.7"), rimField[m]);
        t.label("lblKbUnits", 2 * m + 1, tab, 4920, 240 + Row, 1080, "(in) ");
        t.label("lblKbmB", m, tab, 120, 240 + 2 * Row, 3360, "mB, Rim thickness/whole depth");
        t.box("txtKbmB", m, tab, 3600, 240 + 2 * Row, 1200, "1.2");
        t.label("lblKb", m, tab, 120, 240 + 3 * Row, 3360, "Kb, Rim Thickness Factor");
        t.saved(t.box("txtKb", m, tab, 3600, 240 + 3 * Row, 1200, "1.0"), kbField[m]);
        t.button("cmdNotesKb", m, tab, 120, 240 + 4 * Row + 120, 1200, "Notes");
    }
}

void factorsPage(Table& t)
{
    const Place p = page(7);
    ControlSpec& frame = t.add(ControlKind::Frame, "fraCh", -1, p, 3960, 120, 5100, 3240,
                               "Ch, Hardness Factor (through hardened steel gears)");
    frame.visible = false;
    const Place ch{"fraCh"};
    constexpr double pinion = 2880, gear = 3960, column = 960;
    t.label("lblRMS", -1, ch, 120, 360, 2640, "Pinion surface finish");
    t.saved(t.box("txtRMS", -1, ch, pinion, 360, column), "AGMAPinionSurfaceRa");
    t.label("lblRMSUnits", -1, ch, 120, 360 + Row, 2640, "(Ra, microinches)");
    t.label("lblChMember", 0, ch, pinion, 360 + 2 * Row, column, "Pinion");
    t.label("lblChMember", 1, ch, gear, 360 + 2 * Row, column, "Gear");
    t.saved(t.box("txtCh", 0, ch, pinion, 360 + 5 * Row, column, "1.0"), "AGMAChFactorP");
    t.saved(t.box("txtSurfaceBHN", 0, ch, pinion, 360 + 3 * Row + 90, column), "AGMAChMinSurfaceHardnessP");
    t.saved(t.box("txtSurfaceBHN", 1, ch, gear, 360 + 3 * Row + 90, column), "AGMAChMinSurfaceHardnessG");
    t.saved(t.box("txtCh", 1, ch, gear, 360 + 5 * Row, column, "1.0"), "AGMAChFactorG");
    t.label("lblSurfaceBHN", -1, ch, 120, 360 + 3 * Row, 2640, "Minimum surface hardness. (BHN)", 570);
    t.label("lblCh", -1, ch, 120, 360 + 5 * Row, 2640, "Ch, Hardness Ratio Factor");
    t.button("cmdNotesCh", -1, ch, 120, 360 + 6 * Row + 60, 1440, "  Ch   Notes");

    constexpr double left = 2160, right = 3000, box = 780;
    t.label("lblSfShMember", 0, p, left, 240, box, "Pinion");
    t.label("lblSfShMember", 1, p, right, 240, box, "Gear");
    t.saved(t.box("txtSh", 1, p, right, 240 + 2 * Row, box, "1.0"), "AGMAShG");
    t.saved(t.box("txtSh", 0, p, left, 240 + 2 * Row, box, "1.0"), "AGMAShP");
    t.saved(t.box("txtSf", 1, p, right, 240 + Row, box, "1.0"), "AGMASfG");
    t.saved(t.box("txtSf", 0, p, left, 240 + Row, box, "1.0"), "AGMASfP");
    t.saved(t.box("txtCf", -1, p, left, 240 + 3 * Row, box, "1.0"), "AGMACfFactor");
    t.label("lblSf", -1, p, 120, 240 + Row, 1920, "Sf, bending safety");
    t.label("lblSh", -1, p, 120, 240 + 2 * Row, 1920, "Sh, pitting safety");
    t.label("lblCf", -1, p, 120, 240 + 3 * Row, 1920, "Cf, surface condition");
    t.button("cmdNotesSf", -1, p, 120, 240 + 4 * Row + 120, 2160, "Safety Factor Notes");
    t.button("cmdNotesCf", -1, p, 2400, 240 + 4 * Row + 120, 1200, "Cf Notes");
}

void stressCyclesPage(Table& t)
{
    const Place p = page(6);
    constexpr double pinion = 2640, gear = 4320, column = 1560;
    static const char* const ynField[] = {"AGMAYnP", "AGMAYnG"};
    static const char* const znField[] = {"AGMAZnP", "AGMAZnG"};
    for (int i : {0, 1}) {
        const double left = i == 0 ? pinion : gear;
        t.saved(t.box("txtYn", i, p, left, 240 + Row, column, "1.0"), ynField[i]);
        t.saved(t.box("txtZn", i, p, left, 240 + 2 * Row, column, "1.0"), znField[i]);
    }
    t.saved(t.box("txtLife", 0, p, pinion, 240 + 3 * Row, 2000), "AGMAZnPinionCycles");
    t.saved(t.box("txtLife", 2, p, pinion, 240 + 5 * Row, 2000), "AGMAZnHours");
    t.saved(t.box("txtLife", 1, p, pinion, 240 + 4 * Row, 2000), "AGMAZnGearCycles");
    t.saved(t.box("txtContacts", 0, p, pinion, 240 + 6 * Row, column, "1"), "AGMAZnNumberContactsP");
    t.saved(t.box("txtContacts", 1, p, gear, 240 + 6 * Row, column, "1"), "AGMAZnNumberContactsG");
    static const char* const conservativeField[] = {"AGMAZnConservativeP", "AGMAZnConservativeG"};
    for (int i : {0, 1})
        t.saved(t.add(ControlKind::CheckBox, "chkConservative", i, p, i == 0 ? pinion : gear, 240 + 7 * Row,
                      column, LabelHeight, "Conservative"),
                conservativeField[i]);

    t.label("lblCycleMember", 0, p, pinion, 240, column, "Pinion");
    t.label("lblCycleMember", 1, p, gear, 240, column, "Gear");
    t.label("lblYn", -1, p, 120, 240 + Row, 2400, "Yn, Bending");
    t.label("lblZn", -1, p, 120, 240 + 2 * Row, 2400, "Zn, Pitting");
    t.label("lblLife", 0, p, 120, 240 + 3 * Row, 2400, "Pinion stress cycles");
    t.label("lblLife", 1, p, 120, 240 + 4 * Row, 2400, "Gear stress cycles");
    t.label("lblLife", 2, p, 120, 240 + 5 * Row, 2400, "Hours at rated speed");
    t.label("lblContacts", -1, p, 120, 240 + 6 * Row, 2400, "Contacts per revolution");
    t.label("lblConservative", -1, p, 120, 240 + 7 * Row, 2400, "Past the knee");

    // The equations stay hidden until asked for; the button below them brings them up.
    t.add(ControlKind::Frame, "fraZn", -1, p, 6000, 120, 3060, 3300, "Yn and Zn equations").visible = false;
    t.button("cmdShowZnYnEqs", -1, p, 6000, 3540, 3060, "Show Zn and Yn equations");
    const Place eq{"fraZn"};
    static const char* const member[] = {"Pinion", "Gear"};
    for (int i : {0, 1}) {
        const double top = 300 + i * 1500;
        t.label("lblEquationMember", i, eq, 120, top, 2900, member[i]);
        t.label("lblYnName", i, eq, 120, top + 420, 540, "Yn =");
        t.label("lblYnFactor", i, eq, 660, top + 420, 1740, "");
        t.label("lblYnExponent", i, eq, 2400, top + 300, 600, "");
        t.label("lblZnName", i, eq, 120, top + 900, 540, "Zn =");
        t.label("lblZnFactor", i, eq, 660, top + 900, 1740, "");
        t.label("lblZnExponent", i, eq, 2400, top + 780, 600, "");
    }
}

void overloadReliabilityPage(Table& t)
{
    const Place p = page(5);
    t.label("lblKs", -1, p, 5040, 2760 + Row, 2280, "Ks, Size Factor");
    t.saved(t.box("txtKs", -1, p, 7440, 2760 + Row, 840, "1.0"), "AGMAKsFactor");

    t.add(ControlKind::Frame, "fraKr", -1, p, 5040, 120, 4020, 2520, "Kr, Reliability Factor");
    const Place kr{"fraKr"};
    t.label("lblKrFewer", -1, kr, 120, 270, 2640, "Fewer than one failure in :");
    static const char* const reliability[] = {"10,000", "1,000", "100", "10", "2"};
    for (int k = 0; k < 5; ++k)
        t.add(ControlKind::OptionButton, "optKR", k, kr, 240, 600 + k * 300, 1200, LabelHeight, reliability[k]);
    t.label("lblKr", -1, kr, 1680, 600, 480, "Kr");
    t.saved(t.box("txtKr", -1, kr, 2160, 600, 840, "1.0"), "AGMAKrFactor");
    t.hidden("lblKrSelection", -1, kr, "lblKrSelection", "ReliabilityFactorOption");
    t.button("CmdnotesKr", -1, kr, 2160, 1260, 1200, "Notes!").visible = false;

    t.add(ControlKind::Frame, "fraKo", -1, p, 120, 120, 4800, 3660, "Ko, Overload Factor");
    const Place ko{"fraKo"};
    t.label("lblKoHeading", -1, ko, 120, 270, 4560, "DRIVING MACHINE   DRIVEN MACHINE");
    static const char* const overload[] = {"uniform           uniform",         "moderate shock    uniform",
                                           "uniform           moderate shock",  "moderate shock    moderate shock",
                                           "heavy shock       moderate shock",  "moderate shock    heavy shock",
                                           "heavy shock       heavy shock"};
    for (int k = 0; k < 7; ++k)
        t.add(ControlKind::OptionButton, "optKo", k, ko, 120, 600 + k * 330, 4560, LabelHeight, overload[k]);
    t.label("lblKo", -1, ko, 120, 3000, 480, "Ko");
    t.saved(t.box("txtKo", -1, ko, 600, 3000, 840, "1.0"), "AGMAKoFactor");
    t.hidden("lblKoSelection", -1, ko, "lblKoSelection", "AGMAKoSelection");

    t.label("lblKt", -1, p, 5040, 2760, 2280, "Kt, Temperature Factor");
    t.saved(t.box("txtKt", -1, p, 7440, 2760, 840, "1.0"), "AGMAKtFactor");
    t.button("cmdNotesKt", -1, p, 8400, 2760 - 60, 720, "Notes");
    t.button("cmdNotesKs", -1, p, 8400, 2760 + Row - 30, 720, "Notes");
}

void loadDistributionPage(Table& t)
{
    const Place p = page(4);
    t.label("lblKm", -1, p, 120, 3720, 2880, "Km, Load Distribution Factor");
    t.saved(t.box("txtKm", -1, p, 6960, 3720, 1000, "1.0"), "AGMAKmFactor");
    t.label("lblKmSpan", -1, p, 120, 3720 - 2 * Row, 6720, "Length between bearings (S), inch");
    t.saved(t.box("txtKmSpan", -1, p, 6960, 3720 - 2 * Row, 1000), "AGMAKmBearingSpan");
    t.label("lblKmOffset", -1, p, 120, 3720 - Row, 6720,
            "Offset from centerline of face to bearing span centerline (S1), inch");
    t.saved(t.box("txtKmOffset", -1, p, 6960, 3720 - Row, 1000, "0"), "AGMAKmOffset");
    t.saved(t.add(ControlKind::CheckBox, "chkCMC", -1, p, 120, 2160, 6720, LabelHeight,
                  "Cmc, Leads properly modified by crowning or lead correction"),
            "AGMAKmCmc");
    t.saved(t.add(ControlKind::CheckBox, "chkCE", -1, p, 120, 2160 + Row - 60, 6720, LabelHeight,
                  "Ce, Gearing adjusted at assembly or improved by lapping"),
            "AGMAKmCe");
    t.hidden("lbloptGearStyle", -1, p, "lbloptGearStyle", "AGMAKmGearStyle");

    t.add(ControlKind::Frame, "fraGearStyle", -1, p, 120, 120, 4200, 1860, "Kind of gearing");
    static const char* const styles[] = {"Open gearing", "Commercial enclosed gear unit",
                                         "Precision enclosed gearing unit", "Extra precision enclosed gear unit"};
    for (int k = 0; k < 4; ++k)
        t.add(ControlKind::OptionButton, "optGearStyle", k, {"fraGearStyle"}, 120, 300 + k * 360, 3960, LabelHeight,
              styles[k]);
    t.add(ControlKind::PictureBox, "picKmSketch", -1, p, 4440, 120, 4620, 1860);
    t.label("lblCmc", -1, p, 6960, 2160, 1200, "Cmc=1.0");
    t.label("lblCe", -1, p, 6960, 2160 + Row - 60, 1200, "Ce=1.0");
    t.label("lblCpm", -1, p, 8040, 3720 - Row, 1080, "Cpm= 1.0");
    t.button("cmdNotesKM", -1, p, 8040, 3690, 1020, "Notes");
}

void dynamicFactorPage(Table& t)
{
    const Place p = page(2);
    t.saved(t.box("txtKV", -1, p, 3240, 240 + 3 * Row, 1000, "1.0"), "AGMAKvFactor");
    // Both members record under one field: the quality list position.
    t.hidden("lblComboQuality", 1, p, "\"5lblComboQuality\"", "AGMAKvQuality");
    t.hidden("lblComboQuality", 0, p, "\"5lblComboQuality\"", "AGMAKvQuality");
    static const char* const member[] = {"Pinion", "Gear"};
    for (int i : {0, 1}) {
        t.label("lblPoG", i, p, 240, 240 + i * Row, 1080, member[i]);
        ControlSpec& combo = t.add(ControlKind::ComboBox, "cmbKV", i, p, 1440, 240 + i * Row, 3000, BoxHeight);
        combo.editable = true;
    }
    t.label("lblKvLower", -1, p, 240, 240 + 2 * Row, 8700,
            "The lower of the two qualities entered above is used to calculate Kv");
    t.label("lblKV", -1, p, 240, 240 + 3 * Row, 2880, "Kv, Dynamic Factor");
    t.button("cmdNotesKV", -1, p, 4440, 210 + 3 * Row, 1080, "Notes");
    t.label("lblMaxPLVCaption", -1, p, 240, 240 + 4 * Row + 120, 5280,
            "Maximum recommended pitch line velocity (ft/min).");
    t.label("lblMaxPLV", -1, p, 5640, 240 + 4 * Row + 120, 1200, "").border = true;
    t.label("lblMaxRPMCaption", -1, p, 240, 240 + 5 * Row + 120, 5280, "Maximum recommended pinion speed (RPM).");
    t.label("lblMaxRPM", -1, p, 5640, 240 + 5 * Row + 120, 1200, "").border = true;
}

void materialsPage(Table& t)
{
    const Place p = page(1);
    constexpr double captions = 3840, captionWidth = 1995, pinion = 5880, gear = 7500, column = 1560;
    const double memberLeft[] = {pinion, gear};
    constexpr double youngsTop = 720, poissonTop = 1110, hardnessTop = 1500, unitTop = 1860, sacTop = 2400,
                     satTop = 2880, reversingTop = 3420, bestTop = 3780;
    static const char* const bestField = "BestMaterialAndConditions";
    for (int i : {1, 0}) {
        ControlSpec& best = t.add(ControlKind::CheckBox, "chkBestMats", i, p, memberLeft[i], bestTop, 300, LabelHeight);
        best.toolTip = QStringLiteral("If the best materials and methods are used");
        best.visible = false;
        t.saved(best, bestField);
    }
    t.saved(t.box("txtBHN", 1, p, gear, hardnessTop, 960), "AGMAHardnessG");
    t.saved(t.box("txtBHN", 0, p, pinion, hardnessTop, 960), "AGMAHardnessP");
    static const char* const reversingField[] = {"AGMAReversingP", "AGMAReversingG"};
    for (int i : {1, 0})
        t.saved(t.add(ControlKind::CheckBox, "chkReversing", i, p, memberLeft[i], reversingTop, 300, LabelHeight),
                reversingField[i]);
    t.hidden("lblRecordKey", 0, p, "lblRecordKey", "AGMARecordKeyP");
    t.hidden("lblRecordKey", 1, p, "lblRecordKey", "AGMARecordKeyG");

    t.add(ControlKind::TreeView, "TreeView", -1, p, 120, 120, 3600, 2640);
    t.label("lblNotes", -1, p, 120, 2790, 3600, "", 960);
    t.label("lblCP", -1, p, 120, 3900, 2400, "Coefficient of Elasticity");
    t.box("txtCP", -1, p, 2640, 3900, 1080);
    static const char* const member[] = {"Pinion", "Gear"};
    for (int i : {0, 1}) {
        const double left = memberLeft[i];
        t.add(ControlKind::CommandButton, "cmdPoG", i, p, left, 120, column, 480, member[i]);
        t.box("txtYoungs", i, p, left, youngsTop, column);
        t.box("txtPoissons", i, p, left, poissonTop, column);
        t.label("lblHardType2", i, p, left + 1020, hardnessTop, 540, "BHN");
        t.label("lblHardType1", i, p, left, unitTop, column, "", 480).visible = false;
        t.box("txtSAC", i, p, left, sacTop, column);
        t.box("txtSAT", i, p, left, satTop, column);
    }
    t.label("lblYoungs", -1, p, captions, youngsTop, captionWidth, "Young's Modulus");
    t.label("lblPoissons", -1, p, captions, poissonTop, captionWidth, "Poisson's Ratio");
    t.label("lblBHN", -1, p, captions, hardnessTop, captionWidth, "Hardness");
    t.label("lblSAC", -1, p, captions, sacTop - 60, captionWidth, "Allowable Contact Stress", 450);
    t.label("lblSAT", -1, p, captions, satTop - 60, captionWidth, "Allowable Bending Stress", 450);
    t.label("lblReversing", -1, p, captions, reversingTop, captionWidth, "Completely reversing");
    t.label("lblBestMaterials", -1, p, captions, bestTop, captionWidth, "Best materials").visible = false;
}

void powerPage(Table& t)
{
    const Place p = page(8);
    // Each power column leaves room after its figure for the limit mark,
    // which goes 50 twips right of the smallest power's label.
    constexpr double column = 2880, pitch = 2400, power = 1200, mark = 1080;
    t.label("lblPowerMember", 0, p, column, 240, power, "Pinion");
    t.label("lblPowerMember", 1, p, column + pitch, 240, power, "Gear");
    t.label("lblPacCaption", -1, p, 120, 240 + Row, 2640, "Allowable Pitting Power");
    t.label("lblPatCaption", -1, p, 120, 240 + 2 * Row, 2640, "Allowable Bending Power");
    for (int i : {0, 1}) {
        t.label("lblPac", i, p, column + i * pitch, 240 + Row, power, "Pac");
        t.label("lblPat", i, p, column + i * pitch, 240 + 2 * Row, power, "Pat");
    }
    ControlSpec& limit = t.label("lblLimitT", -1, p, column + pitch + power + 50, 240 + Row, mark, "<- Limit");
    limit.visible = false;
    limit.foreColor = Qt::red;
    for (int i : {0, 1}) {
        const double top = 240 + 3 * Row + 240 + i * 1200;
        t.label("lblMatSourceType", i, p, 120, top, 8940, "");
        t.label("lblMatSource", i, p, 120, top + 300, 8940, "", 600);
    }
}

std::vector<ControlSpec> build()
{
    Table t;
    windowFrame(t);
    // Pages in the order their saved controls were first collected.
    setInputsPage(t);
    kbPage(t);
    factorsPage(t);
    stressCyclesPage(t);
    overloadReliabilityPage(t);
    loadDistributionPage(t);
    dynamicFactorPage(t);
    materialsPage(t);
    powerPage(t);
    return t.take();
}

const std::vector<ControlSpec> agmaLayout = build();

} // namespace

std::span<const ControlSpec> frmAGMA() { return agmaLayout; }

} // namespace cindrel::layouts
