#include "sample/sample.h"

#include <string>

#include "sample/sampledata.h"

namespace liquidus {

void LoadSampleDiagram(TTernagram& diagram) {
    // Stored settings, in the order the window applies them on loading; the
    // diagram is in mass percent before any data arrive.
    diagram.SetBorder(false);
    diagram.SetPaperColor(clBtnFace);
    diagram.SetAreas(kSampleFieldCount);
    diagram.SetCoPhasesTable(false);
    diagram.SetCUnits(TCUnits::cuMassPercents);
    diagram.Isotherms().SetError(3);
    diagram.Isotherms().SetMethodStep(1.0f);
    diagram.Isotherms().SetStep(100);
    diagram.Isotherms().SetWidth(1);
    diagram.SetGridSteps(5);
    diagram.SetGridType(TGridType::gtAllScales);
    diagram.SetHotIsotherm(1800);
    diagram.SetHotIsothermColor(clBlue);
    diagram.SetMarkMode(true);
    diagram.SetMouseGrid(false);
    TSubstance* substances[3] = {&diagram.SubstanceA(), &diagram.SubstanceB(),
                                 &diagram.SubstanceC()};
    for (int i = 0; i < 3; ++i) {
        substances[i]->SetName(std::string(kSampleSubstanceNames[i]));
        substances[i]->MolMass = kSampleMolMasses[i];
    }
    diagram.SetTitle(std::string(kSampleTitle));

    // The data, entered once and in place.
    FillSampleAreas(diagram.AreaList());
    diagram.SetSplines(MakeSampleSplines());
    diagram.SetDrawSplines(true);
    diagram.SetAreas(kSampleFieldCount);
    diagram.SetDrawAreas(true);
}

}  // namespace liquidus
