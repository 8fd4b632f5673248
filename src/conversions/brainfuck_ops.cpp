// Translation of a Brainfuck program into operations: runs of one command folded, straight runs of
// "+ - < > ." between brackets gathered into blocks addressed from the pointer at their start, and
// every loop marked with the shape the machine may take in one step.
#include "conversions/brainfuck_ops.h"

#include "conversions/brainfuck_output.h"

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

constexpr std::array<std::int32_t, 2 * longestBlock + 1> filled(std::int32_t value)
{
    std::array<std::int32_t, 2 * longestBlock + 1> array{};
    array.fill(value);
    return array;
}

class Translator {
public:
    explicit Translator(Translation& translation) : m_ops(translation.ops), m_translation(translation) {}

    void command(char16_t c, std::uint32_t source)
    {
        if (c == u'[' || c == u']') {
            endRun();
            flushBlock();
            c == u'[' ? open() : close();
            return;
        }
        if (m_run.length > 0 && (m_run.command != c || m_run.length == longestRun))
            endRun();
        if (m_run.length == 0)
            m_run = {c, 0, source};
        ++m_run.length;
    }

    void finish()
    {
        endRun();
        flushBlock();
        // Skipping a loop that is never closed ends the run.
        for (const Frame& frame : m_loops)
            m_ops[frame.open + 1] = static_cast<std::uint32_t>(m_ops.size());
    }

private:
    // Kept small: a program may open millions of loops.
    struct Frame {
        std::uint32_t open : 31;
        std::uint32_t prints : 1;
    };

    void endRun()
    {
        if (m_run.length == 0)
            return;
        if (m_run.command == u'.' && !m_loops.empty())
            m_loops.back().prints = 1;
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
        case u'>': m_ops.push_back(header(Move, run.length)); break;
        case u'<': m_ops.push_back(header(Move, -run.length)); break;
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
        if (runs.size() == 1 || !cells) {
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
        m_ops[head] = header(prints ? BlockPrints : Block, items);
        m_ops[head + 1] = static_cast<std::uint32_t>(steps);
        m_ops[head + 2] = static_cast<std::uint32_t>(offset);
        m_ops[head + 3] = runs.front().source;
    }

    void forgetItems()
    {
        for (const std::int32_t offset : m_touched)
            m_itemAt[static_cast<std::size_t>(offset + longestBlock)] = -1;
        m_touched.clear();
    }

    void open()
    {
        const bool tooDeep = m_loops.size() >= static_cast<std::size_t>(maxOpenLoops);
        m_loops.push_back({static_cast<std::uint32_t>(m_ops.size()), 0});
        m_ops.push_back(header(tooDeep ? OpenTooDeep : Open));
        m_ops.push_back(0);
    }

    void close()
    {
        if (m_loops.empty()) {
            m_ops.push_back(header(CloseUnmatched));
            return;
        }
        const Frame frame = m_loops.back();
        m_loops.pop_back();
        if (frame.prints && !m_loops.empty())
            m_loops.back().prints = 1;
        std::uint32_t closing = header(Close);
        if (kindOf(m_ops[frame.open]) != OpenTooDeep) {
            const OpKind shape = shapeOf(frame);
            m_ops[frame.open] = header(shape);
            if (shape == Open && !frame.prints && m_translation.watchedLoops < longestRun) {
                const std::int32_t watch = m_translation.watchedLoops++;
                m_ops[frame.open] = header(OpenWatch, watch);
                closing = header(CloseWatch, watch);
            }
        }
        m_ops.push_back(closing);
        m_ops.push_back(static_cast<std::uint32_t>(frame.open + 2));
        m_ops[frame.open + 1] = static_cast<std::uint32_t>(m_ops.size());
    }

    OpKind shapeOf(const Frame& frame) const
    {
        const std::size_t body = frame.open + 2;
        const std::size_t length = m_ops.size() - body;
        if (length == 0)
            return OpenLinear;
        const std::uint32_t first = m_ops[body];
        if (length == 1 && kindOf(first) == Add)
            return OpenLinear;
        if (length == 1 && kindOf(first) == Move)
            return OpenScan;
        if (kindOf(first) == Block && length == blockHeaderWords + static_cast<std::size_t>(argumentOf(first))
            && m_ops[body + 2] == 0)
            return OpenLinear;
        return Open;
    }

    std::vector<std::uint32_t>& m_ops;
    Translation& m_translation;
    std::vector<Frame> m_loops;
    Run m_run{u' ', 0, 0};
    std::array<Run, longestBlock> m_block{};
    std::size_t m_blockRuns = 0;
    // Where in the block being built each offset's item is (-1: none yet), and the offsets to reset.
    std::array<std::int32_t, 2 * longestBlock + 1> m_itemAt = filled(-1);
    std::vector<std::int32_t> m_touched;
    std::int32_t m_blockSteps = 0;
};

} // namespace

Translation translate(TextView program)
{
    Translation translation;
    Translator translator(translation);
    for (std::size_t i = 0; i < program.size(); ++i) {
        if (isCommand(program[i]))
            translator.command(program[i], static_cast<std::uint32_t>(i));
    }
    translator.finish();
    return translation;
}

} // namespace quirlwerk::conversions::brainfuck
