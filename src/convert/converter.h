#pragma once
// Runs one conversion as the command line asks: reads the input with the
// reader of its kind, assigns classes, and writes the output folder.

#include "convert/conversion_writer.h"
#include "convert/convert_error.h"
#include "convert/convert_options.h"

namespace murex::convert {

// Throws Convert_error for bad input or a failed write (nothing complete-looking is left behind).
Written_conversion run_conversion(const Convert_options& options, const Warning_sink& warn);

}  // namespace murex::convert
