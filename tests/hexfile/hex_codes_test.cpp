// Cutting hex text into codes: hand-checked forms, the kept length of an invalid code, and the fast reader
// against the rules read literally on generated texts cut into pieces of every size.
#include "hexfile/hex_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <string>

using quirlwerk::hexfile::HexCodeReader;

namespace {

struct Outcome {
    std::string bytes;
    std::optional<std::string> invalidCode = std::nullopt;   // as kept for the message
    bool cut = false;                        // longer than kept
    bool operator==(const Outcome&) const = default;
};

// Reads the text in pieces of the given size (0: all at once), and on after an invalid code: the reader must
// ignore the rest.
Outcome readInPieces(std::string_view text, std::size_t pieceSize = 0)
{
    HexCodeReader reader;
    std::string out(text.size() + 1, '\0');
    auto* at = reinterpret_cast<std::uint8_t*>(out.data());
    const std::size_t size = pieceSize ? pieceSize : text.size();
    for (std::size_t from = 0; from < text.size(); from += size) {
        const std::string_view piece = text.substr(from, size);
        at += reader.read({reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()}, at);
    }
    at += reader.finish(at);
    out.resize(static_cast<std::size_t>(at - reinterpret_cast<std::uint8_t*>(out.data())));
    return {out, reader.stopped() ? std::optional(reader.invalidCode()) : std::nullopt, reader.stopped() && reader.invalidCodeCut()};
}

// The rules read literally: cut a code, then judge it. It cannot see how the fast reader splits its windows.
Outcome readByTheRules(std::string_view text)
{
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        std::string code;
        const auto prefixed = [&] { return code.size() >= 2 && code[0] == '0' && (code[1] | 0x20) == 'x'; };
        while (at < text.size() && static_cast<unsigned char>(text[at]) > 32 && (code.size() != 2 || prefixed()))
            code.push_back(text[at++]);
        if (code.empty() && ++at)   // a separator
            continue;
        const std::string digits = prefixed() ? code.substr(2) : code;
        if (digits.empty() || digits.size() > 2 || !std::ranges::all_of(digits, [](char c) { return std::isxdigit(c & 0xFF) != 0; }))
            return {bytes, digits.substr(0, HexCodeReader::keptCodeLength), digits.size() > HexCodeReader::keptCodeLength};
        bytes.push_back(static_cast<char>(std::stoi(digits, nullptr, 16)));
    }
    return {bytes};
}

} // namespace

TEST(HexCodeReader, reads_hand_checked_codes_in_pieces_of_any_size)
{
    const std::tuple<const char*, std::string_view, Outcome> rows[] = {
        {"0x codes, pairs in mixed case, glued pairs", "0x1F 0X08 656c6C\t6f", {"\x1F\x08\x65\x6C\x6C\x6F"}},
        {"single digits and every line end", "a\r\nb\rc\n", {"\x0A\x0B\x0C"}},
        {"control characters separate", std::string_view("41\0" "42\x1F" "43", 8), {"ABC"}},
        {"comma ends a pair code", "41,42", {"A", ",4"}},
        {"four digits after 0x", "0x4142", {"", "4142"}},
        {"character above 127", "41 \xE4" "1", {"A", "\xE4" "1"}},
    };
    for (const auto& [name, text, outcome] : rows)
        for (std::size_t size = 0; size <= 5; ++size)
            EXPECT_EQ(readInPieces(text, size), outcome) << name << ", pieces of " << size;
}

// Odd rounds: short texts of single characters, for the corners of the rules. Even rounds: long texts of valid
// codes, so that whole 64-character windows take the fast way, with the odd glued or invalid code, some invalid
// ones around the length kept for the message.
TEST(HexCodeReader, agrees_with_the_plain_rules_on_generated_texts)
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
            if (round % 10 == 2)
                text += "0x" + std::string(HexCodeReader::keptCodeLength - 1 + random() % 3, 'a');
        }
        const Outcome expected = readByTheRules(text);
        ASSERT_EQ(readInPieces(text), expected) << text;
        ASSERT_EQ(readInPieces(text, round % 2 == 1 ? 1 + random() % 5 : 60 + random() % 80), expected) << text;
    }
}
