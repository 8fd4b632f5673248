// Translation of a Brainfuck program into operations: runs of one command folded, straight runs of
// "+ - < > ." between brackets gathered into blocks addressed from the pointer at their start, and
// every loop marked with the shape the machine may take in one step.
#include "conversions/brainfuck_ops.h"

#include "conversions/brainfuck_output.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace quirlwerk::conversions::brainfuck {
namespace {

struct Run {
    char16_t command;
    std::int32_t length;
    std::uint32_t source; // index of its first command in the program text
};

// The same as isCommand, seen by the compiler: the translation asks it for every character.
constexpr bool isCommandCharacter(char16_t c)
{
    return c == u'+' || c == u'-' || c == u'<' || c == u'>' || c == u'[' || c == u']' || c == u'.';
}

constexpr std::array<std::int32_t, 2 * longestBlock + 1> filled(std::int32_t value)
{
    std::array<std::int32_t, 2 * longestBlock + 1> array{};
    array.fill(value);
    return array;
}

class Translator {
public:
    explicit Translator(std::vector<std::uint32_t>& ops) : m_ops(ops) {}

    // `length` times the command c, the first of them at `source`.
    void commands(char16_t c, std::uint32_t source, std::size_t length)
    {
        if (c == u'[' || c == u']') {
            endRun();
            flushBlock();
            for (; length > 0; --length)
                c == u'[' ? open() : close();
            return;
        }
        while (length > 0) {
            if (m_run.length > 0 && (m_run.command != c || m_run.length == longestRun))
                endRun();
            if (m_run.length == 0)
                m_run = {c, 0, source};
            const auto taken = static_cast<std::int32_t>(std::min<std::size_t>(length, static_cast<std::size_t>(longestRun - m_run.length)));
            m_run.length += taken;
            length -= static_cast<std::size_t>(taken);
        }
    }

    void finish()
    {
        endRun();
        flushBlock();
        // Skipping a loop that is never closed ends the run.
        while (m_innermost != none) {
            const std::size_t open = m_innermost;
            m_innermost = m_ops[open + 1];
            m_ops[open] = bracket(kindOf(m_ops[open]), bracketMove(m_ops[open]));
            m_ops[open + 1] = static_cast<std::uint32_t>(m_ops.size());
        }
        m_ops.push_back(header(End));
    }

private:
    static constexpr std::uint32_t none = static_cast<std::uint32_t>(-1);

    void markPrinting()
    {
        if (m_innermost != none)
            m_ops[m_innermost] = bracket(kindOf(m_ops[m_innermost]), bracketMove(m_ops[m_innermost]), 1);
    }

    // The Move just emitted, taken back to be done by the bracket that follows it.
    std::int32_t takeMove()
    {
        if (m_ops.empty() || m_lastMove != m_ops.size() - 1 || std::abs(argumentOf(m_ops.back())) > longestBracketMove)
            return 0;
        const std::int32_t move = argumentOf(m_ops.back());
        m_ops.pop_back();
        m_lastMove = static_cast<std::size_t>(-1);
        return move;
    }

    void endRun()
    {
        if (m_run.length == 0)
            return;
        if (m_run.command == u'.')
            markPrinting();
        if (m_run.length > longestBlock) {
            flushBlock();
            emitAlone(m_run);
        } else {
            if (m_blockSteps + m_run.length > longestBlock)
                flushBlock();
            m_block[m_blockRuns++] = m_run;
            m_blockSteps += m_run.length;
        }
        m_run.length = 0;
    }

    void emitAlone(const Run& run)
    {
        switch (run.command) {
        case u'+': m_ops.push_back(header(Add, run.length)); break;
        case u'-': m_ops.push_back(header(Add, -run.length)); break;
        case u'>':
        case u'<':
            m_lastMove = m_ops.size();
            m_ops.push_back(header(Move, run.command == u'>' ? run.length : -run.length));
            break;
        default: m_ops.insert(m_ops.end(), static_cast<std::size_t>(run.length), header(Print)); break;
        }
    }

    void flushBlock()
    {
        const std::span<const Run> runs(m_block.data(), m_blockRuns);
        m_blockRuns = 0;
        const std::int32_t steps = m_blockSteps;
        m_blockSteps = 0;
        bool cells = false;
        for (const Run& run : runs)
            cells = cells || (run.command != u'<' && run.command != u'>');
        // Two commands that make two items would take more words as a block than alone.
        const bool small = steps == 2 && runs[0].command != u'<' && runs[0].command != u'>' && runs[1].command != u'<'
            && runs[1].command != u'>';
        if (runs.size() == 1 || !cells || small) {
            for (const Run& run : runs)
                emitAlone(run);
            return;
        }
        // Changes to one offset merge until a print reads the cells; the machine checks every item
        // against the block's whole length, so merging cannot hide an overflow on the way.
        const std::size_t head = m_ops.size();
        m_ops.resize(head + blockHeaderWords);
        std::int32_t offset = 0;
        bool prints = false;
        for (const Run& run : runs) {
            switch (run.command) {
            case u'>': offset += run.length; break;
            case u'<': offset -= run.length; break;
            case u'.':
                prints = true;
                m_ops.insert(m_ops.end(), static_cast<std::size_t>(run.length), item(offset, printMark));
                forgetItems();
                break;
            default: {
                const std::int32_t change = run.command == u'+' ? run.length : -run.length;
                std::int32_t& at = m_itemAt[static_cast<std::size_t>(offset + longestBlock)];
                if (at < 0) {
                    at = static_cast<std::int32_t>(m_ops.size() - head);
                    m_touched.push_back(offset);
                    m_ops.push_back(item(offset, change));
                } else {
                    std::uint32_t& word = m_ops[head + static_cast<std::size_t>(at)];
                    word = item(offset, itemChange(word) + change);
                }
            }
            }
        }
        forgetItems();
        const auto items = static_cast<std::int32_t>(m_ops.size() - head - blockHeaderWords);
        // Without prints the order of the items is free: the cell under the pointer comes first, where
        // a loop around the block finds its own change.
        if (!prints) {
            const auto first = m_ops.begin() + static_cast<std::ptrdiff_t>(head + blockHeaderWords);
            const auto own = std::find_if(first, m_ops.end(), [](std::uint32_t word) { return itemOffset(word) == 0; });
            if (own != m_ops.end())
                std::iter_swap(first, own);
        }
        const OpKind kind = prints ? BlockPrints : items == 1 ? BlockOne : items == 2 ? BlockTwo : Block;
        m_ops[head] = blockHeader(kind, items, steps);
        std::int32_t lowestItem = longestBlock;
        std::int32_t highestItem = -longestBlock;
        for (std::size_t i = head + blockHeaderWords; i < m_ops.size(); ++i) {
            lowestItem = std::min(lowestItem, itemOffset(m_ops[i]));
            highestItem = std::max(highestItem, itemOffset(m_ops[i]));
        }
        m_ops[head + 1] = blockReach(offset, lowestItem, highestItem - lowestItem);
        m_ops[head + 2] = runs.front().source;
    }

    void forgetItems()
    {
        for (const std::int32_t offset : m_touched)
            m_itemAt[static_cast<std::size_t>(offset + longestBlock)] = -1;
        m_touched.clear();
    }

    void open()
    {
        ++m_depth;
        const bool tooDeep = m_depth > maxOpenLoops;
        m_ops.push_back(bracket(tooDeep ? OpenTooDeep : Open, takeMove()));
        m_ops.push_back(m_innermost);
        m_innermost = static_cast<std::uint32_t>(m_ops.size() - 2);
    }

    void close()
    {
        if (m_innermost == none) {
            m_ops.push_back(bracket(CloseUnmatched, takeMove()));
            return;
        }
        const std::size_t open = m_innermost;
        const bool prints = bracketLow(m_ops[open]) != 0;
        const std::int32_t moveBefore = bracketMove(m_ops[open]);
        m_innermost = m_ops[open + 1];
        --m_depth;
        if (prints)
            markPrinting();
        OpKind opening = kindOf(m_ops[open]);
        OpKind closing = Close;
        if (opening != OpenTooDeep) {
            opening = shapeOf(open);
            if (opening == Open && !prints) {
                opening = OpenWatch;
                closing = CloseWatch;
            }
        }
        m_ops[open] = bracket(opening, moveBefore, opening == OpenWatch ? watchTries : 0);
        // The shapes done in one step read their body as it stands: their closing bracket moves nothing.
        const std::int32_t moveInside = opening == Open || opening == OpenWatch || opening == OpenTooDeep ? takeMove() : 0;
        m_ops.push_back(bracket(closing, moveInside));
        m_ops.push_back(static_cast<std::uint32_t>(open + 2));
        m_ops[open + 1] = static_cast<std::uint32_t>(m_ops.size());
    }

    OpKind shapeOf(std::size_t open) const
    {
        const std::size_t body = open + 2;
        const std::size_t length = m_ops.size() - body;
        if (length == 0)
            return OpenLinear;
        const std::uint32_t first = m_ops[body];
        if (length == 1 && kindOf(first) == Add)
            return argumentOf(first) == -1 ? OpenClear : OpenLinear;
        if (kindOf(first) == BlockTwo && length == blockHeaderWords + 2 && blockMove(m_ops[body + 1]) == 0
            && m_ops[body + blockHeaderWords] == item(0, -1))
            return OpenTransfer;
        if (length == 1 && kindOf(first) == Move)
            return OpenScan;
        if (isBlockWithoutPrints(kindOf(first)) && length == blockHeaderWords + static_cast<std::size_t>(blockItems(first)))
            return blockMove(m_ops[body + 1]) == 0 ? OpenLinear : OpenBlockLoop;
        // Such a body leaves its own cell at 0 or below at the pointer where the loop tested it, so the
        // loop runs once at most.
        if (isBlockWithoutPrints(kindOf(first)) && blockMove(m_ops[body + 1]) == 0) {
            const std::size_t inner = body + blockHeaderWords + static_cast<std::size_t>(blockItems(first));
            const OpKind innerKind = inner < m_ops.size() ? kindOf(m_ops[inner]) : End;
            if ((innerKind == OpenClear || innerKind == OpenTransfer) && bracketMove(m_ops[inner]) == 0
                && m_ops[inner + 1] == m_ops.size())
                return OpenIf;
        }
        return Open;
    }

    std::vector<std::uint32_t>& m_ops;
    std::uint32_t m_innermost = none;
    std::size_t m_lastMove = static_cast<std::size_t>(-1);
    std::int64_t m_depth = 0;
    Run m_run{u' ', 0, 0};
    std::array<Run, longestBlock> m_block{};
    std::size_t m_blockRuns = 0;
    // Where in the block being built each offset's item is (-1: none yet), and the offsets to reset.
    std::array<std::int32_t, 2 * longestBlock + 1> m_itemAt = filled(-1);
    std::vector<std::int32_t> m_touched;
    std::int32_t m_blockSteps = 0;
};

} // namespace

std::vector<std::uint32_t> translate(TextView program)
{
    std::vector<std::uint32_t> ops;
    // Reserved, not touched: the pages a translation leaves unused are never mapped.
    ops.reserve(2 * program.size() + 2);
    Translator translator(ops);
    for (std::size_t i = 0; i < program.size();) {
        const char16_t c = program[i];
        std::size_t end = i + 1;
        while (end < program.size() && program[end] == c)
            ++end;
        if (isCommandCharacter(c))
            translator.commands(c, static_cast<std::uint32_t>(i), end - i);
        i = end;
    }
    translator.finish();
    return ops;
}

} // namespace quirlwerk::conversions::brainfuck
