#pragma once
// The one place that formats the messages that end a run.
//
// Every fatal message is one line on standard error ending in BEL and a line
// end, followed by exit status 1. Nothing is cleaned up: the process ends at
// once (after flushing the standard streams), so a half-built search state is
// never torn down.
//
// A program that must survive these ends (the fuzz targets, which feed one
// input after another to the same process) installs an end hook: the message
// is still written, then the hook is called with the exit status instead of
// ending the process. The hook must not return (it throws); if it does, the
// process ends as usual.

#include <string_view>

namespace murex {

// Called with the exit status in place of ending the process.
using End_hook = void (*)(int status);
// Installs `hook` (nullptr restores the normal end); returns the previous hook.
End_hook set_end_hook(End_hook hook);

// Flushes the standard streams and ends the process with `status` (or calls
// the installed end hook).
[[noreturn]] void end_process(int status);

// Writes `message`, BEL and a newline to standard error and ends with status 1.
[[noreturn]] void fatal(std::string_view message);

// Writes `message` and a newline (no BEL) to standard error and ends with status 1.
[[noreturn]] void fatal_without_bell(std::string_view message);

// The internal-error message: "Error: <base name of file>(<line>)", BEL, newline.
[[noreturn]] void internal_error(std::string_view source_file, int line);

// Placeholders that report on standard output: message, BEL, newline, status 1.
[[noreturn]] void placeholder_stop(std::string_view message);

// A warning line on standard error (no BEL); the run goes on.
void warning(std::string_view message);

}  // namespace murex

// Internal consistency failure detected in the current source file.
#define MUREX_INTERNAL_ERROR() ::murex::internal_error(__FILE__, __LINE__)
