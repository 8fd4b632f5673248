// Pieces shared by the subcommands of quirlwerk-cli.
#pragma once

#include "common/file_stream_buffer.h"
#include "common/report.h"
#include "common/text.h"
#include "conversions/matrix_definition.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quirlwerk::cli {

using Arguments = std::span<const std::string_view>;

inline constexpr int exitOk = 0;
inline constexpr int exitFailed = 1;
inline constexpr int exitUsage = 2;

// Thrown for a call the program cannot run; main prints it and exits with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Message boxes become "<icon>: <text>" lines on stderr; questions are answered by --yes.
class StderrReporter : public common::Reporter {
public:
    explicit StderrReporter(bool answerYes = false) : m_answerYes(answerYes) {}
    void show(const common::Message& message) override;
    bool askYesNo(const common::Message& question) override;

private:
    bool m_answerYes;
};

void printMessage(const common::Message& message);

// Standard output and standard error go through the common writer while this lives. finish() empties both and
// makes a run whose output could not be written whole a failed one, saying so on standard error where it can.
class ConsoleStreams {
public:
    ConsoleStreams();
    ~ConsoleStreams();
    ConsoleStreams(const ConsoleStreams&) = delete;
    ConsoleStreams& operator=(const ConsoleStreams&) = delete;

    int finish(int status);

private:
    common::FileStreamBuffer m_out;
    common::FileStreamBuffer m_err;
    std::streambuf* m_oldOut;
    std::streambuf* m_oldErr;
};

// A command-line argument as a text; invalid UTF-8 is a usage error naming the argument.
Text argumentText(std::string_view argument, std::string_view what);

// Stdin as a text, read up to one byte beyond the input bound. No text when it is refused: too large (the
// message printed, exitCode exitFailed) or not UTF-8 (said on stderr, exitCode exitUsage).
struct InputText {
    std::optional<Text> text;
    int exitCode = exitOk;
};
InputText readInputText();
// The options --rows, --cols, --sequence and --order of convert, as a matrix definition.
conversions::MatrixDefinition parseMatrixOptions(Arguments arguments);

int runConvert(Arguments arguments);
int runAll(Arguments arguments);
int runHexfile(Arguments arguments);
int runBitmap(Arguments arguments);
int runCoords(Arguments arguments);

} // namespace quirlwerk::cli
