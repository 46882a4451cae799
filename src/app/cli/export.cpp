// --export FILE: the picture the Save button writes, or with --size the
// on-screen picture of a control of that size.

#include <array>
#include <memory>
#include <string_view>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"

namespace liquidus::cli {

namespace {

void RunExport(const TRequest& request, TStreams&) {
    const std::string& file = request.ModeValues.front();
    CheckPictureName("--export", file);
    TCommandLineDiagram sample(request, request.Size);
    TTernagram& diagram = sample.Diagram();
    ApplyViewOptions(request, diagram);
    const bool monochrome = request.Has("--monochrome");
    if (request.Size) {
        diagram.Paint();
        WritePicture(diagram.Screen(), file, monochrome);
    } else {
        const std::unique_ptr<TBitmap> picture = diagram.RenderPicture();
        WritePicture(*picture, file, monochrome);
    }
}

constexpr std::array<std::string_view, 3> kExportOptions = {"--monochrome", "--mark", "--zoom"};

}  // namespace

const TModeSpec kExportMode{
    .Name = "--export",
    .Argument = "FILE",
    .Help = "write the diagram's picture to FILE (.bmp or .png)",
    .UsesDiagram = true,
    .Options = kExportOptions,
    .Run = RunExport,
};

}  // namespace liquidus::cli
