// The hex file conversion: checks and questions first, then the files, streamed in large pieces.
#include "hexfile/hex_file.h"

#include "common/failure.h"
#include "common/letter_case.h"
#include "common/save_target.h"
#include "common/utf8.h"
#include "common/windows1252.h"
#include "hexfile/hex_codes.h"
#include "hexfile/input_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quirlwerk::hexfile {
namespace fs = std::filesystem;
namespace {

using common::Icon;
using common::Message;

TextView withoutBlanks(TextView text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == TextView::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

fs::path pathOf(TextView name)
{
    return fs::path(common::toUtf8(name));
}

bool isOrdinaryFile(const fs::path& name)
{
    std::error_code error;
    return fs::is_regular_file(name, error);
}

// The code as the message shows it: the file's characters in capitals.
Text shownCode(const HexCodeReader& reader)
{
    Text code;
    for (const char c : reader.invalidCode())
        code.push_back(common::fromWindows1252(static_cast<std::uint8_t>(c)));
    code = common::toUpper(code);
    if (reader.invalidCodeCut())
        code += u"…";
    return code;
}

// Reads the whole input into the replacement before anything is moved, so input and output may be one file.
void writeBytes(const fs::path& input, const fs::path& output, TextView outputName, common::Reporter& reporter,
                const HexFileOptions& options, HexFileResult& result)
{
    const std::size_t readSize = std::max<std::size_t>(options.readSize, 1);
    const std::size_t blockSize = std::max<std::size_t>(options.blockSize, 1000);
    InputFile in(input);
    common::ReplacingFile out(output, {options.write});
    std::vector<std::uint8_t> text(readSize);
    std::vector<std::uint8_t> bytes(blockSize + readSize);   // a piece of text never gives more bytes than it has
    std::size_t filled = 0;
    HexCodeReader reader;
    while (const std::size_t count = in.read(text)) {
        filled += reader.read(std::span(text.data(), count), bytes.data() + filled);
        if (filled >= blockSize) {
            out.write(std::span(bytes.data(), filled));
            filled = 0;
        }
        if (reader.stopped())
            break;
    }
    if (!reader.stopped())
        filled += reader.finish(bytes.data() + filled);
    if (reader.stopped()) {
        reporter.show({Icon::Exclamation,
                       u"In der Inputdatei steht das Zeichen ''" + shownCode(reader) +
                           u"''. Dies ist kein gültiges HEX-Zeichen im Bereich 00 bis FF!\r\n"
                           u"Die Erstellung der Binärdatei wird daher abgebrochen!"});
        result.label = u"Fehler aufgetreten!. Erstellung der Binärdatei ''" + Text(outputName) + u"'' abgebrochen!";
    }
    out.write(std::span(bytes.data(), filled));
    out.commit();
    if (!reader.stopped()) {
        result.label = u"Fertig. Binärdatei ''" + Text(outputName) + u"'' erstellt.";
        result.finished = true;
    }
}

} // namespace

HexFileResult ConvertHexFile(TextView inputText, TextView outputText, common::Reporter& reporter,
                             const HexFileOptions& options)
{
    HexFileResult result;
    const TextView inputName = withoutBlanks(inputText);
    const TextView outputName = withoutBlanks(outputText);
    auto refuse = [&](Text text, NameField field) {
        reporter.show({Icon::Exclamation, std::move(text)});
        result.focus = field;
        return result;
    };
    try {
        if (inputName.empty())
            return refuse(u"Geben Sie bitte den Namen der Inputdatei ein!", NameField::Input);
        const fs::path input = pathOf(inputName);
        if (!isOrdinaryFile(input))
            return refuse(u"Die Inputdatei ''" + Text(inputName) + u"'' existiert nicht!", NameField::Input);
        if (outputName.empty())
            return refuse(u"Geben Sie bitte den Namen der Outputdatei ein!", NameField::Output);
        // The same name is an ordinary file, the input: only the question differs.
        if (inputName == outputName) {
            if (!reporter.askYesNo({Icon::Question, u"Die Inputdatei und die Outputdatei sind identisch. "
                                                    u"Soll die Inputdatei wirklich überschrieben werden?"}))
                return result;
        } else if (const auto target = common::checkSaveTarget(outputName, common::hexFileOutput, reporter);
                   target.decision != common::SaveDecision::Write) {
            result.focus = target.decision == common::SaveDecision::Refused ? NameField::Output : NameField::None;
            return result;
        }
        const common::BusyScope busy(reporter);
        writeBytes(input, pathOf(outputName), outputName, reporter, options, result);
    } catch (const std::exception& failure) {
        reporter.show({Icon::Critical, u"Fehler: " + common::describe(failure)});
    }
    return result;
}

} // namespace quirlwerk::hexfile
