// The Brainfuck program translated into a compact stream of 32-bit words, for the machine in brainfuck.cpp.
#pragma once

#include "conversions/conversion.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace quirlwerk::conversions::brainfuck {

// Every operation starts with a header word: its kind in the low byte, a signed argument above it.
enum OpKind : std::uint8_t {
    Add,            // a run of "+" or "-"; argument: the change
    Move,           // a run of ">" or "<"; argument: the change
    Print,
    Block,          // item count and steps in the header; then its reach (blockReach), source index, items
    BlockPrints,    // the same, with "." among its items
    Open,           // then the index behind the loop
    OpenLinear,     // a loop whose body is nothing, one Add or one Block without net pointer move
    OpenScan,       // a loop whose body is one Move
    OpenWatch,      // a loop without "." inside; argument: how often the machine may still watch it
    // Bracket operations first move the pointer by the run of ">" or "<" in front of them (see bracket()).
    // While translating, an Open's low bits tell whether its loop prints and its second word links to
    // the Open of the enclosing loop: the stack of open loops costs no memory of its own.
    OpenTooDeep,    // "[" inside 1000 open loops: entering it is an error
    Close,          // then the index of the loop's first operation
    CloseWatch,     // the end of an OpenWatch loop
    CloseUnmatched, // "]" without a "[" before it: only reads the cell
    BlockOne,       // a Block of one item
    BlockTwo,       // a Block of two items
    OpenClear,      // an OpenLinear whose body is one "-"
    OpenTransfer,   // an OpenLinear whose body is a BlockTwo with "-" once on the loop's own cell
    OpenBlockLoop,  // a loop whose body is one block without "." that moves the pointer
    OpenIf,         // a loop whose body is a block without "." or net move, then an OpenClear or OpenTransfer
    End,            // behind the last operation
};

inline constexpr bool isBlockWithoutPrints(OpKind kind) { return kind == Block || kind == BlockOne || kind == BlockTwo; }

// A block never holds more commands than this, so its offsets and the margin its cells need stay small.
// At most two words per command: the translation needs at most 8 bytes per program character.
inline constexpr std::int32_t longestBlock = 1023;
inline constexpr std::int32_t longestRun = (1 << 23) - 1; // the largest argument of a header

// Thrown by the word builders when a value misses its field: a translation that broke its own limits
// must fail loudly rather than run another program.
[[noreturn]] inline void fieldOverflow() { throw std::logic_error("Brainfuck translation: value beyond its field"); }
inline constexpr bool fitsSigned(std::int64_t value, int bits) { return value >= -(std::int64_t{1} << (bits - 1)) && value < std::int64_t{1} << (bits - 1); }
inline constexpr bool fitsUnsigned(std::int64_t value, int bits) { return value >= 0 && value < std::int64_t{1} << bits; }

inline constexpr std::uint32_t header(OpKind kind, std::int32_t argument = 0)
{
    if (!fitsSigned(argument, 24))
        fieldOverflow();
    return static_cast<std::uint32_t>(argument) << 8 | kind;
}
inline constexpr OpKind kindOf(std::uint32_t word) { return static_cast<OpKind>(word & 0xff); }
inline constexpr std::int32_t argumentOf(std::uint32_t word) { return static_cast<std::int32_t>(word) >> 8; }

// A block item: a change of the cell at an offset from the pointer at the block's start, or a print of it.
inline constexpr std::int16_t printMark = INT16_MIN;
inline constexpr std::uint32_t item(std::int32_t offset, std::int32_t change)
{
    if (!fitsSigned(offset, 16) || !fitsSigned(change, 16))
        fieldOverflow();
    return static_cast<std::uint16_t>(offset) | static_cast<std::uint32_t>(static_cast<std::uint16_t>(change)) << 16;
}
inline constexpr std::int32_t itemOffset(std::uint32_t word) { return static_cast<std::int16_t>(word & 0xffff); }
inline constexpr std::int32_t itemChange(std::uint32_t word) { return static_cast<std::int16_t>(word >> 16); }

// A bracket's header: the pointer move in front of it, and four low bits (an OpenWatch's tries).
inline constexpr std::int32_t longestBracketMove = (1 << 19) - 1;
static_assert(fitsSigned(longestBracketMove * 16 + 15, 24) && fitsSigned(-longestBracketMove * 16, 24));
inline constexpr std::uint32_t bracket(OpKind kind, std::int32_t move, std::int32_t low = 0)
{
    if (move > longestBracketMove || move < -longestBracketMove || !fitsUnsigned(low, 4))
        fieldOverflow();
    return header(kind, move * 16 + low);
}
inline constexpr std::int32_t bracketMove(std::uint32_t word) { return argumentOf(word) >> 4; }
inline constexpr std::int32_t bracketLow(std::uint32_t word) { return argumentOf(word) & 15; }

// A block's second word: its net pointer move, the lowest offset among its items and how far the
// highest lies above it, so that one comparison tells whether all its cells are on the tape. Each fits
// its bits because a block holds at most longestBlock commands: the limit the translation flushes at.
inline constexpr int blockMoveBits = 11;
inline constexpr int blockLowestBits = 11;
inline constexpr int blockSpanBits = 10;
static_assert(blockMoveBits + blockLowestBits + blockSpanBits == 32);
static_assert(fitsSigned(longestBlock, blockMoveBits) && fitsSigned(-longestBlock, blockMoveBits));
static_assert(fitsSigned(-longestBlock, blockLowestBits) && fitsUnsigned(longestBlock, blockSpanBits));
inline constexpr std::uint32_t blockReach(std::int32_t move, std::int32_t lowestOffset, std::int32_t span)
{
    if (!fitsSigned(move, blockMoveBits) || !fitsSigned(lowestOffset, blockLowestBits) || !fitsUnsigned(span, blockSpanBits))
        fieldOverflow();
    return (static_cast<std::uint32_t>(move) & 0x7ff) | (static_cast<std::uint32_t>(lowestOffset) & 0x7ff) << 11
        | static_cast<std::uint32_t>(span) << 22;
}
inline constexpr std::int32_t blockMove(std::uint32_t word) { return static_cast<std::int32_t>(word << 21) >> 21; }
inline constexpr std::int32_t blockLowest(std::uint32_t word) { return static_cast<std::int32_t>(word << 10) >> 21; }
inline constexpr std::int32_t blockSpan(std::uint32_t word) { return static_cast<std::int32_t>(word >> 22); }

inline constexpr std::size_t blockHeaderWords = 3;
// Items and steps take 12 bits each: a block of longestBlock commands has at most that many of either.
static_assert(fitsUnsigned(longestBlock, 12));
inline constexpr std::uint32_t blockHeader(OpKind kind, std::int32_t items, std::int32_t steps)
{
    if (!fitsUnsigned(items, 12) || !fitsUnsigned(steps, 12))
        fieldOverflow();
    return static_cast<std::uint32_t>(steps) << 20 | static_cast<std::uint32_t>(items) << 8 | kind;
}
inline constexpr std::int32_t blockItems(std::uint32_t word) { return static_cast<std::int32_t>(word >> 8 & 0xfff); }
inline constexpr std::int32_t blockSteps(std::uint32_t word) { return static_cast<std::int32_t>(word >> 20); }

// How often a loop without output has its state kept at the start of a pass, to be compared with the
// next one's, before it is given up.
inline constexpr std::int32_t watchTries = 8;

std::vector<std::uint32_t> translate(TextView program);

} // namespace quirlwerk::conversions::brainfuck
