#include "ternary/properties.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "ternary/ternagram.h"

namespace liquidus {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void ExpectRefused(TTernagram& diagram, const std::string& name, const std::string& value) {
    const std::string before = *GetPropertyByName(diagram, name);
    const TPropertyResult result = SetPropertyByName(diagram, name, value);
    EXPECT_EQ(result.Status, TPropertyStatus::psBadValue) << name << "=" << value;
    EXPECT_NE(result.Message.find("\"" + value + "\""), std::string::npos) << result.Message;
    EXPECT_NE(result.Message.find(FindProperty(name)->Name), std::string::npos) << result.Message;
    EXPECT_EQ(*GetPropertyByName(diagram, name), before) << name << "=" << value;
}

TEST(Properties, BooleansInAnyCaseAndNothingElse) {
    TTernagram diagram;
    EXPECT_TRUE(SetPropertyByName(diagram, "Legend", "false").Ok());
    EXPECT_FALSE(diagram.Legend());
    EXPECT_TRUE(SetPropertyByName(diagram, "Legend", "TRUE").Ok());
    EXPECT_TRUE(diagram.Legend());
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.Smoothed", "fAlSe").Ok());
    EXPECT_FALSE(diagram.Isotherms().Smoothed());
    EXPECT_EQ(*GetPropertyByName(diagram, "Isotherms.Smoothed"), "False");
    for (const char* bad : {"yes", "1", "", "True ", "Tru"}) ExpectRefused(diagram, "Legend", bad);
}

TEST(Properties, EnumerationsByValueName) {
    TTernagram diagram;
    EXPECT_TRUE(SetPropertyByName(diagram, "GridType", "gtInnerParallel").Ok());
    EXPECT_EQ(diagram.GridType(), TGridType::gtInnerParallel);
    EXPECT_TRUE(SetPropertyByName(diagram, "GridType", "GTOUTSIDESCALE").Ok());
    EXPECT_EQ(diagram.GridType(), TGridType::gtOutsideScale);
    EXPECT_TRUE(SetPropertyByName(diagram, "CUnits", "cuMolParts").Ok());
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMolParts);
    EXPECT_EQ(diagram.UnitsTotal(), 1.0);  // the setter ran, not just the field
    EXPECT_TRUE(SetPropertyByName(diagram, "TUnits", "tuK").Ok());
    EXPECT_EQ(diagram.TUnits(), TTUnits::tuK);
    EXPECT_TRUE(SetPropertyByName(diagram, "TCalcMethod", "tcPolynomial").Ok());
    EXPECT_EQ(diagram.TCalcMethod(), TTCalcMethod::tcPolynomial);
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.GraphType", "itPolyline").Ok());
    EXPECT_EQ(diagram.Isotherms().GraphType(), TIsothermType::itPolyline);
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.Method", "imCenterRadial").Ok());
    EXPECT_EQ(diagram.Isotherms().Method(), TIsothermMethod::imCenterRadial);
    // The diagram's GraphType and the isotherms' GraphType are different types.
    EXPECT_TRUE(SetPropertyByName(diagram, "GraphType", "gtMelting").Ok());
    EXPECT_EQ(diagram.GraphType(), TGraphType::gtMelting);
    ExpectRefused(diagram, "GraphType", "itSpline");
    ExpectRefused(diagram, "Isotherms.GraphType", "gtPhase");
    // Ordinals are not value names; the last value must not be read past.
    for (const char* bad : {"0", "2", "gtAllScale", "gtAllScalesX", ""}) {
        ExpectRefused(diagram, "GridType", bad);
    }
    EXPECT_TRUE(SetPropertyByName(diagram, "GridType", "gtAllScales").Ok());
    EXPECT_EQ(*GetPropertyByName(diagram, "GridType"), "gtAllScales");
}

TEST(Properties, WholeNumbersKeepTheirTypeRangeAndTheSetterClamps) {
    TTernagram diagram;
    EXPECT_TRUE(SetPropertyByName(diagram, "GridSteps", "50").Ok());
    EXPECT_EQ(diagram.GridSteps(), 10);
    EXPECT_TRUE(SetPropertyByName(diagram, "GridSteps", "1").Ok());
    EXPECT_EQ(diagram.GridSteps(), 2);
    EXPECT_TRUE(SetPropertyByName(diagram, "GridSteps", "+7").Ok());
    EXPECT_EQ(*GetPropertyByName(diagram, "GridSteps"), "7");
    EXPECT_TRUE(SetPropertyByName(diagram, "Areas", "255").Ok());  // Byte's top, clamped to 16
    EXPECT_EQ(diagram.Areas(), 16);
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.Step", "120").Ok());
    EXPECT_EQ(diagram.Isotherms().Step(), 100);
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.Error", "0").Ok());
    EXPECT_EQ(diagram.Isotherms().Error(), 1);
    EXPECT_TRUE(SetPropertyByName(diagram, "HotIsotherm", "-40").Ok());
    EXPECT_EQ(*GetPropertyByName(diagram, "HotIsotherm"), "-40");
    EXPECT_TRUE(SetPropertyByName(diagram, "HotIsotherm", "2147483647").Ok());
    EXPECT_EQ(diagram.HotIsotherm(), 2147483640);  // stored as a multiple of 10
    EXPECT_TRUE(SetPropertyByName(diagram, "HotIsotherm", "1805").Ok());
    EXPECT_EQ(diagram.HotIsotherm(), 1800);
    // A Byte is 0..255: outside is bad input, not something to clamp.
    for (const char* bad : {"256", "-1", "5.0", "abc", "", "5 ", "0x5", "++5"}) {
        ExpectRefused(diagram, "GridSteps", bad);
    }
    ExpectRefused(diagram, "HotIsotherm", "2147483648");
    ExpectRefused(diagram, "HotIsotherm", "-2147483649");
}

TEST(Properties, SinglesAreLocaleFreeAndFinite) {
    TTernagram diagram;
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.MethodStep", "0.6").Ok());
    EXPECT_EQ(diagram.Isotherms().MethodStep(), 0.5f);
    EXPECT_EQ(*GetPropertyByName(diagram, "Isotherms.MethodStep"), "0.5");
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.MethodStep", "1e0").Ok());
    EXPECT_EQ(*GetPropertyByName(diagram, "Isotherms.MethodStep"), "1");
    EXPECT_TRUE(SetPropertyByName(diagram, "SubstanceB.MolMass", "60.0843").Ok());
    EXPECT_EQ(diagram.SubstanceB().MolMass, 60.0843f);
    EXPECT_EQ(*GetPropertyByName(diagram, "SubstanceB.MolMass"), "60.0843");
    for (const char* bad : {"0,5", "nan", "inf", "1e99", "", "0.5x"}) {
        ExpectRefused(diagram, "SubstanceB.MolMass", bad);
    }
}

TEST(Properties, ColoursAsHexDecimalOrName) {
    TTernagram diagram;
    EXPECT_TRUE(SetPropertyByName(diagram, "PaperColor", "$00FFFFFF").Ok());
    EXPECT_EQ(diagram.PaperColor(), clWhite);
    EXPECT_TRUE(SetPropertyByName(diagram, "PaperColor", "$00a0b0c0").Ok());
    EXPECT_EQ(diagram.PaperColor(), 0x00A0B0C0u);
    EXPECT_EQ(*GetPropertyByName(diagram, "PaperColor"), "$00A0B0C0");
    EXPECT_TRUE(SetPropertyByName(diagram, "PaperColor", "65280").Ok());
    EXPECT_EQ(diagram.PaperColor(), clLime);
    EXPECT_EQ(*GetPropertyByName(diagram, "PaperColor"), "clLime");
    EXPECT_TRUE(SetPropertyByName(diagram, "HotIsothermColor", "CLRED").Ok());
    EXPECT_EQ(diagram.HotIsothermColor(), clRed);
    EXPECT_TRUE(SetPropertyByName(diagram, "Isotherms.Color", "clInfoBk").Ok());
    EXPECT_EQ(diagram.Isotherms().Color(), clInfoBk);
    // A system colour in signed decimal, as it is stored in form files.
    EXPECT_TRUE(SetPropertyByName(diagram, "PaperColor", "-2147483633").Ok());
    EXPECT_EQ(diagram.PaperColor(), clBtnFace);
    EXPECT_EQ(*GetPropertyByName(diagram, "PaperColor"), "clBtnFace");
    for (const char* bad : {"$01000000", "$80000100", "$", "$GG", "$100000000", "4294967296",
                            "16777216", "clPurple", "#FF0000", ""}) {
        ExpectRefused(diagram, "PaperColor", bad);
    }
}

TEST(Properties, StringsAndSubObjectsGoThroughTheirSetters) {
    TTernagram diagram;
    EXPECT_TRUE(SetPropertyByName(diagram, "Title", "a=b = c").Ok());
    EXPECT_EQ(diagram.Title(), "a=b = c");
    EXPECT_TRUE(SetPropertyByName(diagram, "Title", "").Ok());
    EXPECT_EQ(diagram.Title(), "");
    EXPECT_TRUE(SetPropertyByName(diagram, "SubstanceA.Name", "MgO").Ok());
    EXPECT_EQ(diagram.SubstanceA().Name(), "MgO");
    EXPECT_EQ(diagram.SubstanceA().BaseName, "MgO");  // SetName, not the field
    EXPECT_EQ(diagram.SubstanceB().Name(), "SubB");
    EXPECT_TRUE(SetPropertyByName(diagram, "substancec.element", "Al").Ok());
    EXPECT_EQ(diagram.SubstanceC().Element, "Al");
    EXPECT_EQ(*GetPropertyByName(diagram, "SUBSTANCEC.ELEMENT"), "Al");
    EXPECT_TRUE(SetPropertyByName(diagram, "isotherms.STEP", "200").Ok());
    EXPECT_EQ(diagram.Isotherms().Step(), 200);

    diagram.MarkedPoint().Visible = true;
    diagram.SetMarkMode(true);
    EXPECT_TRUE(SetPropertyByName(diagram, "MarkMode", "False").Ok());
    EXPECT_FALSE(diagram.MarkedPoint().Visible);
}

TEST(Properties, UnknownAndReadOnlyNames) {
    TTernagram diagram;
    for (const char* name : {"Nope", "Isotherms", "Isotherms.", "SubstanceD.Name", "Legend ",
                             "SubstanceA.BaseName", ""}) {
        const TPropertyResult result = SetPropertyByName(diagram, name, "1");
        EXPECT_EQ(result.Status, TPropertyStatus::psUnknownProperty) << name;
        EXPECT_NE(result.Message.find("\"" + std::string(name) + "\""), std::string::npos);
        EXPECT_FALSE(GetPropertyByName(diagram, name).has_value()) << name;
    }
    for (const char* name : {"Zoom", "coPhases", "CURSORONAREA"}) {
        const TPropertyResult result = SetPropertyByName(diagram, name, "True");
        EXPECT_EQ(result.Status, TPropertyStatus::psReadOnly) << name;
        EXPECT_NE(result.Message.find("read-only"), std::string::npos) << result.Message;
        EXPECT_NE(result.Message.find(FindProperty(name)->Name), std::string::npos);
    }
    EXPECT_EQ(FindProperty("coPhases")->Name, "CoPhases");
    EXPECT_EQ(*GetPropertyByName(diagram, "Zoom"), "False");
    EXPECT_EQ(*GetPropertyByName(diagram, "CoPhases"), "0");
}

TEST(Properties, RegistryIsConsistent) {
    TTernagram diagram;
    diagram.SetTitle("T");
    std::set<std::string> seen;
    int readOnly = 0;
    for (const TPropertyInfo& property : TernagramProperties()) {
        EXPECT_TRUE(seen.insert(Lower(property.Name)).second) << property.Name;
        EXPECT_FALSE(property.Type.empty()) << property.Name;
        EXPECT_EQ(FindProperty(Lower(property.Name)), &property);
        if (property.ReadOnly()) {
            ++readOnly;
            continue;
        }
        // What the getter prints, the setter takes back unchanged.
        const std::string value = property.Get(diagram);
        const TPropertyResult result = SetPropertyByName(diagram, property.Name, value);
        EXPECT_TRUE(result.Ok()) << property.Name << ": " << result.Message;
        EXPECT_EQ(property.Get(diagram), value) << property.Name;
    }
    EXPECT_EQ(readOnly, 3);
    for (const char* name :
         {"AllowZoom", "Areas", "Border", "CUnits", "DrawTPoints", "GraphType", "Isotherms.Width",
          "Isotherms.SignStep", "SubstanceA.MolMass", "SubstanceB.Element", "SubstanceC.Name",
          "TCalcMethod", "ValuesTable", "MouseGrid", "DrawIsotherms"}) {
        EXPECT_NE(FindProperty(name), nullptr) << name;
    }
    EXPECT_EQ(FindProperty("GridType")->Type,
              "TGridType (gtInnerParallel, gtOutsideScale, gtAllScales)");
    EXPECT_EQ(FindProperty("Isotherms.MethodStep")->Type, "Single");
    EXPECT_EQ(FindProperty("GridSteps")->Type, "Byte");
}

}  // namespace
}  // namespace liquidus
