#include "app/cli/commandline.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <istream>
#include <new>
#include <ostream>
#include <sstream>

#include "app/cli/parser.h"
#include "app/mainwindow.h"

namespace liquidus {

bool IsCommandLineMode(const std::vector<std::string>& args) {
    // Any argument at all but a diagram file for the window: a stray word
    // must be refused, not open the window and drop every option after it.
    return !args.empty() && !WindowDiagramFile(args);
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::istringstream none;
    return RunCommandLine(args, none, out, err);
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    constexpr int kExitOk = 0;
    constexpr int kExitWriteFailed = 1;
    constexpr int kExitBadInput = 2;
    const auto report = [&err](const std::string& message) {
        err << cli::kProgram << ": " << cli::Escaped(message) << '\n';
    };
    std::optional<cli::TPictureSize> size;
    try {
        const cli::TRequest request = cli::ParseArguments(args);
        size = request.Size;
        cli::TStreams streams{in, out};
        request.Mode->Run(request, streams);
        errno = 0;
        out.flush();
        if (!out) {
            report(std::string("cannot write the output: ") +
                   (errno != 0 ? std::strerror(errno) : "write error"));
            return kExitWriteFailed;
        }
        return kExitOk;
    } catch (const cli::TUsageError& error) {
        report(error.what());
        return kExitBadInput;
    } catch (const cli::TWriteError& error) {
        report(error.what());
        return kExitWriteFailed;
    } catch (const std::bad_alloc&) {
        report(size ? "not enough memory for a " + std::to_string(size->Width) + " × " +
                          std::to_string(size->Height) + " picture"
                    : std::string("not enough memory"));
        return kExitWriteFailed;
    } catch (const std::exception& error) {
        // Whatever stopped the work, no file was written.
        report(error.what());
        return kExitWriteFailed;
    }
}

}  // namespace liquidus
