#include "app/cli/diagram.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>
#include <stdexcept>
#include <utility>

#include <QFile>

#include "files/diagramfile.h"
#include "canvas/savefile.h"
#include "sample/sample.h"
#include "ternary/properties.h"

namespace liquidus::cli {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    });
}

constexpr TPictureSize kViewPictureSize{1024, 768};
constexpr int kZoomGrid = 10;
constexpr int kZoomLargestSum = 90;

/// "AMin,BMin,CMin": whole tens of percent adding up to at most 90.
std::array<int, 3> ParseZoomWindow(const std::string& text) {
    const auto fail = [&text](const std::string& why) {
        return TUsageError("--zoom " + Quoted(text) + ": " + why);
    };
    std::array<int, 3> bounds{};
    std::string_view rest = text;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = rest.find(',');
        if ((i < 2) == (comma == std::string_view::npos)) {
            throw fail("expected AMin,BMin,CMin (three whole tens of percent)");
        }
        std::string_view part = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        const std::size_t first = part.find_first_not_of(" \t");
        part = first == std::string_view::npos ? std::string_view{} : part.substr(first);
        part = part.substr(0, part.find_last_not_of(" \t") + 1);
        const auto [end, error] =
            std::from_chars(part.data(), part.data() + part.size(), bounds[i]);
        if (part.empty() || error != std::errc{} || end != part.data() + part.size()) {
            throw fail("expected AMin,BMin,CMin (three whole tens of percent)");
        }
        if (bounds[i] < 0 || bounds[i] % kZoomGrid != 0) {
            throw fail("each bound must be a whole ten of percent (0, 10, ... 90)");
        }
    }
    if (bounds[0] + bounds[1] + bounds[2] > kZoomLargestSum) {
        throw fail("the bounds add up to more than 90, leaving no window");
    }
    return bounds;
}

}  // namespace

void ApplyViewOptions(const TRequest& request, TTernagram& diagram) {
    const std::optional<std::string> markText = request.Value("--mark");
    const std::optional<std::string> zoomText = request.Value("--zoom");
    std::optional<std::pair<double, double>> mark;
    if (markText) {
        mark = ParsePair(*markText);
        if (!mark) {
            throw TUsageError("--mark " + Quoted(*markText) + ": expected A,B (two numbers)");
        }
    }
    std::array<int, 3> window{};
    if (zoomText) {
        window = ParseZoomWindow(*zoomText);
        if (!diagram.AllowZoom()) {
            throw TUsageError("--zoom " + Quoted(*zoomText) + ": AllowZoom is off");
        }
    }
    if (!mark && !zoomText) return;
    if (!request.Size) {
        diagram.SetBounds(kViewPictureSize.Width, kViewPictureSize.Height);
    }
    diagram.Paint();
    if (mark) {
        switch (diagram.GoToComposition(mark->first, mark->second)) {
            case TGoToResult::Marked:
            case TGoToResult::Read: break;
            case TGoToResult::OutsideTriangle:
            case TGoToResult::OutsideZoom:
                throw TUsageError("--mark " + Quoted(*markText) +
                                  ": the composition lies outside the triangle");
            case TGoToResult::NoField:
                throw TUsageError("--mark " + Quoted(*markText) + ": no phase field there");
        }
    }
    if (zoomText) {
        diagram.ZoomInTo(window[0], window[1], window[2]);
    }
}

std::vector<std::string> TCommandLineHost::TakeMessages() {
    return std::exchange(m_messages, {});
}

TCommandLineDiagram::TCommandLineDiagram(const TRequest& request,
                                         std::optional<TPictureSize> size)
    : m_diagram(&m_host) {
    // A file replaces the sample's data; the window's stored settings stay,
    // as when the window opens a file.
    LoadSampleDiagram(m_diagram);
    if (const std::optional<std::string> file = request.Value("--diagram")) {
        try {
            ApplyDiagram(ReadDiagramFile(QFile::decodeName(QByteArray::fromStdString(*file))),
                         m_diagram);
        } catch (const TDiagramFormatError& error) {
            throw TUsageError("--diagram " + Quoted(*file) + ": " + error.what());
        } catch (const TDiagramReadError& error) {
            throw TWriteError("--diagram " + Quoted(*file) + ": " + error.what());
        }
    }
    m_host.TakeMessages();
    if (size) {
        m_diagram.SetBounds(size->Width, size->Height);
        if (m_diagram.Width() != size->Width || m_diagram.Height() != size->Height) {
            throw TWriteError("not enough memory for a " + std::to_string(size->Width) +
                              " × " + std::to_string(size->Height) + " picture");
        }
    }
    for (const TPropertyAssignment& set : request.Sets) {
        const TPropertyResult result = SetPropertyExactly(m_diagram, set.Name, set.Value);
        if (!result.Ok()) {
            throw TUsageError("--set " + Quoted(set.Argument) + ": " + result.Message);
        }
        const std::vector<std::string> refusals = m_host.TakeMessages();
        if (!refusals.empty()) {
            throw TUsageError("--set " + Quoted(set.Argument) + ": " + refusals.front());
        }
    }
}

TPictureRequest CheckPicture(const TRequest& request, const std::string& fileName,
                             TPictureSize nominal) {
    const std::optional<TPictureFormat> format = PictureFormatOf(fileName);
    if (!format) {
        throw TUsageError("--export " + Quoted(fileName) +
                          ": unsupported file type, use .bmp, .png, .svg or .pdf");
    }
    TPictureRequest picture;
    picture.Format = *format;
    picture.Monochrome = request.Has("--monochrome");
    const bool vector = *format == TPictureFormat::Svg || *format == TPictureFormat::Pdf;
    if (request.SizeMm && !vector) {
        throw TUsageError("--size " + FormatFixed(request.SizeMm->Width, 1) + "x" +
                          FormatFixed(request.SizeMm->Height, 1) +
                          "mm: millimetres are for .svg and .pdf pictures; give pixels");
    }
    if (picture.Monochrome && vector) {
        throw TUsageError("--monochrome: a two-colour picture is a .bmp or .png");
    }
    const std::optional<std::string> scale = request.Value("--text-scale");
    if (scale && !picture.Figure()) {
        throw TUsageError("--text-scale " + Quoted(*scale) +
                          ": the .bmp picture keeps its fixed text sizes; use .png, .svg or .pdf");
    }
    if (scale) {
        const std::optional<double> value = ParseNumber<double>(*scale);
        if (!value || !(*value >= kMinTextScale && *value <= kMaxTextScale)) {
            throw TUsageError("--text-scale " + Quoted(*scale) + ": expected a number " +
                              FormatFixed(kMinTextScale, 2) + ".." +
                              FormatFixed(kMaxTextScale, 0));
        }
        picture.TextScale = *value;
    }
    if (request.SizeMm) {
        picture.Size = {request.SizeMm->Width, request.SizeMm->Height, true};
    } else {
        const TPictureSize pixels = request.Size.value_or(nominal);
        picture.Size = {double(pixels.Width), double(pixels.Height), false};
    }
    return picture;
}

void WriteFigureFile(TDiagram& diagram, const TPictureRequest& picture,
                     const std::string& fileName) {
    const TDrawing drawing =
        diagram.RecordFigure(picture.Size.Width, picture.Size.Height, picture.TextScale);
    try {
        WriteFigure(drawing, fileName, picture.Format, picture.Size, diagram.Title(),
                    picture.Monochrome);
    } catch (const TSaveError& error) {
        throw TWriteError(error.what());
    } catch (const std::bad_alloc&) {
        throw TWriteError("not enough memory for the picture");
    }
}

void WritePicture(TBitmap& picture, const std::string& fileName, bool monochrome) {
    picture.Monochrome = monochrome;
    try {
        if (EndsWithNoCase(fileName, ".png")) {
            picture.SaveToPngFile(fileName);
        } else {
            picture.SaveToFile(fileName);
        }
    } catch (const std::runtime_error& error) {
        throw TWriteError(error.what());
    }
}

void WriteText(const std::string& text, const std::string& fileName, std::ostream& out) {
    if (fileName == "-") {
        out << text;  // checked with the rest of the output at the end
        return;
    }
    try {
        SaveFileAtomically(fileName, [&text](QIODevice& device) {
            return device.write(text.data(), static_cast<qint64>(text.size())) ==
                   static_cast<qint64>(text.size());
        });
    } catch (const std::runtime_error& error) {
        throw TWriteError(error.what());
    }
}

}  // namespace liquidus::cli
