#pragma once
// The diagram every mode works on, built the same way for all of them: the
// built-in sample or the --diagram file, the control size, then the --set
// options in order.

#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli/parser.h"
#include "canvas/control.h"
#include "canvas/figurefile.h"
#include "ternary/ternagram.h"

namespace liquidus::cli {

/// A window-less host that keeps what the diagram would have shown in a
/// message box: a setting the diagram refuses is bad input here.
class TCommandLineHost : public TNullHost {
public:
    void ShowMessage(const std::string& text) override { m_messages.push_back(text); }
    std::vector<std::string> TakeMessages();

private:
    std::vector<std::string> m_messages;
};

class TCommandLineDiagram {
public:
    /// The sample, or the --diagram file, at `size` (the control's own size
    /// when none), then the request's --set options; throws TUsageError for
    /// a bad diagram file or a refused setting and TWriteError when the file
    /// cannot be read or the picture does not fit in memory.
    TCommandLineDiagram(const TRequest& request, std::optional<TPictureSize> size);
    TCommandLineDiagram(const TCommandLineDiagram&) = delete;
    TCommandLineDiagram& operator=(const TCommandLineDiagram&) = delete;

    TTernagram& Diagram() { return m_diagram; }

private:
    TCommandLineHost m_host;
    TTernagram m_diagram;
};

/// The view options of the picture modes, applied after the --sets: --mark
/// A,B marks that composition (display units) as a right click there
/// would, then --zoom AMin,BMin,CMin zooms into that window. Both read the
/// screen picture, painted at the request's size (1024x768 when none).
/// Throws TUsageError for a value that is malformed or off the diagram.
void ApplyViewOptions(const TRequest& request, TTernagram& diagram);

/// Writes `picture` as .bmp or .png by the file name's ending; TWriteError
/// with the system's reason when it cannot be written.
void WritePicture(TBitmap& picture, const std::string& fileName, bool monochrome);

/// Writes `text` to `fileName`, or to `out` for "-"; TWriteError with the
/// system's reason when it cannot be written.
void WriteText(const std::string& text, const std::string& fileName, std::ostream& out);

/// The picture a file name asks for: its format, and for the figure
/// formats (.png, .svg, .pdf) its size and text scale.
struct TPictureRequest {
    TPictureFormat Format = TPictureFormat::Bmp;
    TFigureSize Size;
    double TextScale = 1.0;
    bool Monochrome = false;
    bool Figure() const { return Format != TPictureFormat::Bmp; }
};

/// Checks the file name's ending and the picture options that go with it
/// (--size in pixels or, for .svg and .pdf, millimetres; --text-scale;
/// --monochrome); a figure without --size is `nominal` pixels. Throws
/// TUsageError.
TPictureRequest CheckPicture(const TRequest& request, const std::string& fileName,
                             TPictureSize nominal);

/// Writes `diagram`'s figure as `picture` asks; TWriteError when the file
/// cannot be written.
void WriteFigureFile(TDiagram& diagram, const TPictureRequest& picture,
                     const std::string& fileName);

}  // namespace liquidus::cli
