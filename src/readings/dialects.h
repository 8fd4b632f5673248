// Brainfuck spelt with other tokens: a table of eight tokens per dialect, read back into Brainfuck.
#pragma once

#include "common/text.h"

#include <array>
#include <optional>
#include <vector>

namespace quirlwerk::readings {

// The Brainfuck commands in the order every table lists its tokens.
inline constexpr TextView brainfuckCommands = u"><+-.,[]";

// A token is a word, a group of words written with single blanks ("Blub. Blub?") or a run of characters
// within a word; tokens may also follow one another without blanks.
struct Dialect {
    Text name;
    std::array<Text, 8> tokens;   // in the order of brainfuckCommands
};

// The dialects known from the start, in the order they are tried.
const std::vector<Dialect>& knownDialects();

// The share of the text's non-blank characters that must be tokens for the text to be in the dialect.
inline constexpr double coveredShare = 0.9;

struct Translation {
    Text program;              // the Brainfuck commands read, in order
    double covered = 0;        // the share of non-blank characters read as tokens
};

// Reads the text token by token, the longest token first; what no token matches is passed over.
Translation toBrainfuck(TextView text, const Dialect& dialect);

// The program spelt in the dialect, tokens separated by blanks; other characters are left out.
Text spell(TextView program, const Dialect& dialect);

// The dialects whose tokens cover the text, each with its program; a text of fewer than eight tokens is none.
struct Detected {
    const Dialect* dialect;
    Text program;
};
std::vector<Detected> detectDialects(TextView text, const std::vector<Dialect>& dialects);

// A table the user typed: exactly eight different words for the commands > < + - . , [ ]; nullopt otherwise.
std::optional<Dialect> userDialect(TextView words, Text name);

} // namespace quirlwerk::readings
