// Writing a binary file from a text file of hexadecimal byte codes ("0x1F 0x08 43 44" gives 4 bytes).
#pragma once

#include "common/report.h"
#include "common/text.h"
#include "common/replacing_file.h"

#include <cstddef>
#include <optional>

namespace quirlwerk::hexfile {

enum class NameField { None, Input, Output };

struct HexFileResult {
    std::optional<Text> label;          // the new text of the message label; none leaves it as it was
    NameField focus = NameField::None;  // the name field a message was about
    bool finished = false;              // the whole input was converted and the output is in place
};

struct HexFileOptions {
    std::size_t readSize = std::size_t{1} << 16;   // bytes of hex text per read
    std::size_t blockSize = std::size_t{1} << 16;  // output bytes gathered before a write, at least 1000
    common::WriteFunction write = {};              // tests put a failing writer here
};

// The names are used without leading and trailing blanks. Questions answered No change nothing; a failure leaves
// an existing output file as it was. An invalid code keeps the bytes before it in the output file. A device, pipe
// or socket as output is refused before any question. The reporter is busy from the end of the checks until the
// files are done.
HexFileResult ConvertHexFile(TextView inputName, TextView outputName, common::Reporter& reporter,
                             const HexFileOptions& options = {});

} // namespace quirlwerk::hexfile
