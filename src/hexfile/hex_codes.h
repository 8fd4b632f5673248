// Cutting hex text into codes and codes into bytes, one piece of the file at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quirlwerk::hexfile {

// A code is a run of characters above 32. Without a "0x" in front it ends after 2 characters, so "4142" is two
// codes; with "0x" it runs to the next separator and must then hold 1 or 2 hex digits. Line ends are separators.
class HexCodeReader {
public:
    // At most this many characters of an invalid code are kept for the message.
    static constexpr std::size_t keptCodeLength = 256;

    // Reads the next piece of the file and writes the bytes of the codes it completes to out, which must have
    // room for input.size() bytes. Returns how many were written. Nothing is read after an invalid code.
    std::size_t read(std::span<const std::uint8_t> input, std::uint8_t* out);

    // The end of the file ends the code in progress; out needs room for one byte.
    std::size_t finish(std::uint8_t* out);

    bool stopped() const { return m_state == State::Stopped; }

    // The invalid code that stopped the reading, as it stood in the file without its "0x".
    const std::string& invalidCode() const { return m_code; }
    bool invalidCodeCut() const { return m_digits > m_code.size(); }

private:
    enum class State { BetweenCodes, FirstCharacter, AfterPrefix, Stopped };

    void take(std::uint8_t c, std::uint8_t*& out);
    void endCode(std::uint8_t*& out, std::size_t digits, std::uint8_t last);
    void addDigit(std::uint8_t c);

    State m_state = State::BetweenCodes;
    std::uint8_t m_first = 0;    // of the digits (the whole code when it has no "0x")
    std::uint8_t m_last = 0;
    std::size_t m_digits = 0;
    std::string m_code;          // the digits, up to keptCodeLength of them
};

} // namespace quirlwerk::hexfile
