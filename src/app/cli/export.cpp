// --export FILE: a .bmp is the picture the Save button writes, or with
// --size the on-screen picture of a control of that size; .png, .svg and
// .pdf are figures for documents, of any size with texts to scale.

#include <array>
#include <memory>
#include <string_view>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"

namespace liquidus::cli {

namespace {

/// The figure's default size: the saved picture's.
constexpr TPictureSize kFigureSize{600, 386};

void RunExport(const TRequest& request, TStreams&) {
    const std::string& file = request.ModeValues.front();
    const TPictureRequest picture = CheckPicture(request, file, kFigureSize);
    TCommandLineDiagram sample(request, request.Size);
    TTernagram& diagram = sample.Diagram();
    ApplyViewOptions(request, diagram);
    if (picture.Figure()) {
        WriteFigureFile(diagram, picture, file);
    } else if (request.Size) {
        diagram.Paint();
        WritePicture(diagram.Screen(), file, picture.Monochrome);
    } else {
        const std::unique_ptr<TBitmap> bitmap = diagram.RenderPicture();
        WritePicture(*bitmap, file, picture.Monochrome);
    }
}

constexpr std::array<std::string_view, 4> kExportOptions = {"--monochrome", "--mark", "--zoom",
                                                            "--text-scale"};

}  // namespace

const TModeSpec kExportMode{
    .Name = "--export",
    .Argument = "FILE",
    .Help = "write the diagram's picture to FILE: .bmp the saved picture (with --size the "
            "screen's), .png, .svg or .pdf a figure for documents (--size WxH pixels or, "
            "for .svg and .pdf, WxHmm; default 600x386 pixels; --text-scale)",
    .UsesDiagram = true,
    .Options = kExportOptions,
    .Run = RunExport,
};

}  // namespace liquidus::cli
