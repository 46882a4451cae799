#pragma once
// The program's version record: what the splash, the main window caption and
// the About window show. Compiled in from the build's project version.

#include <string>

namespace liquidus {

struct TVersionInfo {
    std::string ProductName;      // the diagram component family
    std::string ProductVersion;   // e.g. "1.0.0"
    std::string FileDescription;  // the program's own name ("project name")
    std::string FileVersion;      // four numbers, e.g. "1.0.0.0"
    std::string LegalCopyright;
    std::string Contact;
    std::string HomePage;
};

const TVersionInfo& ProgramVersion();

/// "version " followed by a version string, or by the four numbers of the
/// fixed version when the string is missing.
std::string VersionCaption(const std::string& version);

}  // namespace liquidus
