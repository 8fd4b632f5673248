// Cutting hex text into codes: the forms of a code, separators, invalid codes, and codes split between pieces.
#include "hexfile/hex_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using quirlwerk::hexfile::HexCodeReader;

namespace {

struct Outcome {
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> invalidCode;

    bool operator==(const Outcome&) const = default;
};

// Reads the text in pieces of the given size (0: all at once) and then ends the file. It reads on after an
// invalid code: the reader must ignore the rest.
Outcome readInPieces(std::string_view text, std::size_t pieceSize = 0)
{
    HexCodeReader reader;
    std::vector<std::uint8_t> out(text.size() + 1);
    std::size_t count = 0;
    const std::size_t size = pieceSize ? pieceSize : text.size();
    for (std::size_t at = 0; at < text.size(); at += size) {
        const std::string_view piece = text.substr(at, size);
        count += reader.read({reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()}, out.data() + count);
    }
    count += reader.finish(out.data() + count);
    out.resize(count);
    return {out, reader.stopped() ? std::optional(reader.invalidCode()) : std::nullopt};
}

struct CodeRow {
    const char* name;
    std::string_view text;
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> invalidCode = std::nullopt;
};

const CodeRow rows[] = {
    {"0x codes with blanks", "0x1F 0x08 0x43 0x44", {0x1F, 0x08, 0x43, 0x44}},
    {"pairs in mixed case, some glued", "48 656c6C 6f", {0x48, 0x65, 0x6C, 0x6C, 0x6F}},
    {"single digits", "a b c", {0x0A, 0x0B, 0x0C}},
    {"one digit after 0x", "0x1", {0x01}},
    {"capital X, lower-case digits", "0X1f 0Xa", {0x1F, 0x0A}},
    {"tabs and every kind of line end", "\t48\t65\r\n6C\r6C\n\n6F  \r\n", {0x48, 0x65, 0x6C, 0x6C, 0x6F}},
    {"control characters separate", std::string_view("41\0" "42\x1F" "43", 8), {0x41, 0x42, 0x43}},
    {"odd run of digits", "000", {0x00, 0x00}},
    {"empty", "", {}},
    {"comma ends a pair code", "41,42", {0x41}, ",4"},
    {"four digits after 0x", "0x4142", {}, "4142"},
    {"0x alone", "0x", {}, ""},
    {"letter outside hex", "G1", {}, "G1"},
    {"0x followed by another x", "0x0x", {}, "0x"},
    {"hex digit then x", "1x", {}, "1x"},
    {"last digit after 0x not hex", "0x1G", {}, "1G"},
    {"character above 127", "41 \xE4" "1", {0x41}, "\xE4" "1"},
};

} // namespace

TEST(HexCodeReader, reads_codes_as_a_whole_in_pieces_of_any_size)
{
    for (const CodeRow& row : rows) {
        for (std::size_t size = 0; size <= 7; ++size) {
            SCOPED_TRACE(std::string(row.name) + ", pieces of " + std::to_string(size));
            EXPECT_EQ(readInPieces(row.text, size), (Outcome{row.bytes, row.invalidCode}));
        }
    }
}

namespace {

// The rules read literally: cut a code, then judge it. Slow and plain, to check the fast reader against.
Outcome readByTheRules(std::string_view text)
{
    Outcome outcome;
    auto prefixed = [](const std::string& code) {
        return code.size() >= 2 && code[0] == '0' && (code[1] | 0x20) == 'x';
    };
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = 0; at < text.size();) {
        std::string code;
        while (at < text.size() && static_cast<unsigned char>(text[at]) > 32) {
            code.push_back(text[at++]);
            if (code.size() == 2 && !prefixed(code))
                break;
        }
        if (code.empty()) {   // a separator
            ++at;
            continue;
        }
        const std::string digits = prefixed(code) ? code.substr(2) : code;
        if (digits.empty() || digits.size() > 2 || !std::all_of(digits.begin(), digits.end(), hex)) {
            outcome.invalidCode = digits;
            return outcome;
        }
        outcome.bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16)));
    }
    return outcome;
}

} // namespace

// Odd rounds: short texts of single characters, for the corners of the rules. Even rounds: long texts of valid
// codes, so that whole 64-character windows take the fast way, with the odd glued or invalid code.
TEST(HexCodeReader, agrees_with_the_plain_rules_on_random_texts)
{
    constexpr std::string_view characters = "0000xX19aAfFgG, \r\n\t";
    constexpr std::string_view codes[] = {"4F ", "a0 ", "3c", "00", "41424344", "  ", "\r\n",   // pairs
                                          "0x4F ", "0Xe7\r\n", "0xff\t", "0x4 ", "b ",              // other valid forms
                                          "0x0x1 ", "7x ", "G ", "0x ", "0x4142 ", "10x12 ", "1,"};
    std::mt19937 random(5);
    for (int round = 0; round < 8000; ++round) {
        std::string text;
        if (round % 2 == 1) {
            text.resize(random() % 24);
            for (char& c : text)
                c = characters[random() % characters.size()];
        } else {
            const std::size_t valid = round % 4 == 0 ? 7 : 12;
            while (text.size() < 400)
                text += codes[round % 4 == 2 && random() % 50 == 0 ? 12 + random() % 7 : random() % valid];
            if (round % 10 == 0)   // a long run of one digit, glued into pairs
                text += std::string(100 + random() % 40, "0123456789abcdef"[random() % 16]);
        }
        SCOPED_TRACE("text: " + text);
        const Outcome expected = readByTheRules(text);
        ASSERT_EQ(readInPieces(text), expected);
        ASSERT_EQ(readInPieces(text, round % 2 == 1 ? 1 + random() % 5 : 60 + random() % 80), expected);
    }
}
