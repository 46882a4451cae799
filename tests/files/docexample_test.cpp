// The two-field example of the diagram-format documentation, at the window
// and export sizes where its Alpha field was once flooded by Beta: a line
// that ended where another also ended left their shared pixel undrawn.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "files/diagramcheck.h"
#include "files/diagramfile.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

TDiagramFile Example() {
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path() / "diagram-corpus" / "example.json";
    return ReadDiagramFile(QString::fromStdString(file.string()));
}

TEST(DocumentedExample, AlphaKeepsItsFieldAtTheSizesWhereItWasFlooded) {
    const TDiagramFile example = Example();
    for (const auto& [w, h] : {std::pair{600, 400},
                               {1085, 1005},
                               {1600, 1000},
                               {1760, 1040},
                               {1280, 1024},
                               {1920, 1080}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        TTernagram diagram;
        diagram.SetDrawSplines(true);
        diagram.SetDrawAreas(true);
        ApplyDiagram(example, diagram);
        diagram.SetBounds(w, h);
        diagram.Paint();
        // What the mouse reads there on the screen is what the look-up says
        // (to the pixel the mouse stands on).
        int x = 0;
        int y = 0;
        diagram.CompositionToPixel(78.09, 12.44, x, y);
        diagram.MouseMove({}, x, y);
        EXPECT_EQ(diagram.CursorArea(), 0);
        EXPECT_EQ(diagram.LiquidusAt(78.09, 12.44).Area, 0);
        EXPECT_NEAR(diagram.CursorPoint().T, *diagram.LiquidusAt(78.09, 12.44).Temperature, 5);
    }
}

// Its boundary runs from (50, 50) at 1500 C through two knots that only two
// fields share to (50, 0) at 1550 C: one boundary, falling towards (50, 50).
TEST(DocumentedExample, TwoBinaryPointsAndOneArrow) {
    TTernagram diagram;
    ApplyDiagram(Example(), diagram);
    const std::vector<TInvariantPoint> points = diagram.InvariantPointList();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_FALSE(points[0].Ternary || points[1].Ternary);
    EXPECT_EQ(points[0].T, 1550);
    EXPECT_EQ(points[1].T, 1500);
    const std::vector<TBoundaryArrow> arrows = diagram.BoundaryArrowList();
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_LT(std::hypot(arrows[0].ToA - 50, arrows[0].ToB - 50),
              std::hypot(arrows[0].A - 50, arrows[0].B - 50));
}

// Alpha and Beta share every vertex of their boundary at one temperature;
// one of them moved 10 degrees is listed, the diagram showing the lower.
TEST(DocumentedExample, DisagreeingVertexTemperaturesAreListed) {
    TDiagramFile file = Example();
    EXPECT_TRUE(VertexTemperatureDisagreements(file).empty());
    file.Fields[1].Vertices[5].T = 1410;  // Beta's (40, 30)
    EXPECT_EQ(VertexTemperatureDisagreements(file),
              std::vector<std::string>{"\"Alpha\" and \"Beta\" meet at 40, 30 with 1400 and 1410 C"});
}

}  // namespace
}  // namespace liquidus
