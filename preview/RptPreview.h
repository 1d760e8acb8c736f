#pragma once
// The entry points of the preview plug-in libRptPreview.so (C linkage, found with dlsym).

#include <cstddef>

#define RPTPREVIEW_EXPORT __attribute__((visibility("default")))

extern "C" {

// Reads "rpttemp.ini" in the running program's work directory (runtime/WorkDir), shows the
// report in a modal window and returns when the user closes it. Must be called on the user-interface thread of a
// QApplication. A failure (missing file, template that does not parse, bad data) is shown in
// a message box naming the file and the problem, and the function returns normally.
RPTPREVIEW_EXPORT void ShowForm();

// Flags of ShowFormForTest.
enum : unsigned {
    // Close the window as soon as its first page has been drawn, so that the call returns
    // without anyone pressing a key.
    RPTPREVIEW_CLOSE_AT_ONCE = 1u
};

// The test hook: the same path as ShowForm, with these differences. `iniPath` names the
// hand-off INI (null: the one ShowForm reads). No message box is shown: a failure's
// message is copied into `message` (UTF-8, cut to messageSize - 1 bytes, always terminated
// when messageSize > 0). Returns the number of pages of the report, or -1 when it failed.
RPTPREVIEW_EXPORT int ShowFormForTest(const char* iniPath, unsigned flags, char* message, size_t messageSize);
}
