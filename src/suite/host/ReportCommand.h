#pragma once

namespace quill {

// "quill report": runs a report of a workspace without a window, through the
// window's own report run, renderer and output routines, and writes it into a
// file; or lists the title's reports. Off screen, no message box, no desktop
// program. Failures are one line on standard error and an exit code.
class ReportCommand {
public:
    enum Exit {
        Done = 0,
        UnknownName = 2,     // title or report
        BadRange = 3,        // period or date range
        DatabaseFailure = 4, // database, query or the report's workbook
        OutputFailure = 5,   // the output file
        BadArguments = 64,
    };

    // Whether the command line is this command's: its first argument is
    // "report".
    static bool isCommand(int argc, char** argv);
    // The whole command, the toolkit included; the exit code.
    static int main(int argc, char** argv);
};

} // namespace quill
