#pragma once
// The files of a report run: beside the executable the parameter file, the template and the
// preview plug-in; in the work directory (runtime/WorkDir: the executable's directory when it
// is writable, else the user's data directory) the hand-off files the plug-in reads.

#include <string>

namespace ReportFiles {

inline constexpr const char* ParameterFile = "Tarnvik.dat";
inline constexpr const char* ParameterFileOtherSpelling = "Tarnvik.Dat";
inline constexpr const char* ResultFile = "temp.cds";
inline constexpr const char* HeaderFile = "temp2.cds";
inline constexpr const char* HandoffIni = "rpttemp.ini";
inline constexpr const char* HandoffSection = "rpttemp";
inline constexpr const char* TemplatePath = "rtm/cust_prod.rtm";
inline constexpr const char* PreviewLibrary = "libRptPreview.so";

// The file `name` in `dir`, matched without regard to letter case: the parameter file is
// named "Tarnvik.dat" in one place and "Tarnvik.Dat" in another, and both must find the one
// file however it is spelled on disk. An exact match wins; with no match the path as asked
// is returned, so that opening it fails with that name.
std::string findIgnoringCase(const std::string& dir, const std::string& name);

// A path as the hand-off INI holds it: the system code page, like every text the preview
// plug-in reads from that file.
std::string iniPathValue(const std::string& path);

}
