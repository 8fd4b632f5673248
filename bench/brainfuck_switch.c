/* A plain switch interpreter in C, built with -O2: one dispatch per command, no folding, every cell access
   and sum checked. Bracket partners are found once. Its rules are the product's (a tape of 1000 cells from
   cell 500, 32-bit cells and pointer, at most 1000 open loops, the step bound, at most a million printed
   values), so that the benchmark can compare every result. */
#include "brainfuck_switch.h"

#include <stdlib.h>
#include <string.h>

enum { tape_cells = 1000, start_cell = 500, deepest = 1000, most_values = 1000000 };
static const uint32_t none = 0xffffffffu;

struct bf_switch_run bf_switch_interpret(const char* program, size_t length, long long max_steps)
{
    struct bf_switch_run run = {bf_switch_done, 0, malloc(sizeof(int32_t) * 1024), 0};
    long long capacity = 1024;
    char* code = malloc(length + 1);
    uint32_t* partner = malloc(sizeof(uint32_t) * (length + 1));
    uint32_t* open = malloc(sizeof(uint32_t) * (length + 1));
    size_t count = 0, depth_open = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = program[i];
        if (!c || !strchr("+-<>.[]", c))
            continue;
        partner[count] = none;
        if (c == '[') {
            open[depth_open++] = (uint32_t)count;
        } else if (c == ']' && depth_open > 0) {
            partner[count] = open[--depth_open];
            partner[open[depth_open]] = (uint32_t)count;
        }
        code[count++] = c;
    }
    free(open);

    int32_t tape[tape_cells] = {0};
    int32_t pointer = start_cell;
    int depth = 0;
    long long steps = 0;
#define CELL                                                      \
    if (pointer < 1 || pointer > tape_cells) {                    \
        run.end = bf_switch_off_tape;                             \
        goto finished;                                            \
    }                                                             \
    int32_t* cell = &tape[pointer - 1]
#define ADD(target, amount)                                       \
    if (__builtin_add_overflow(target, amount, &(target))) {      \
        run.end = bf_switch_overflow;                             \
        goto finished;                                            \
    }
    for (size_t pc = 0; pc < count; ++pc) {
        if (steps == max_steps) {
            run.end = bf_switch_bound;
            break;
        }
        ++steps;
        switch (code[pc]) {
        case '+': { CELL; ADD(*cell, 1); break; }
        case '-': { CELL; ADD(*cell, -1); break; }
        case '>': ADD(pointer, 1); break;
        case '<': ADD(pointer, -1); break;
        case '.': {
            CELL;
            if (run.count == most_values) {
                run.end = bf_switch_printed_enough;
                goto finished;
            }
            if (run.count == capacity)
                run.printed = realloc(run.printed, sizeof(int32_t) * (size_t)(capacity *= 2));
            run.printed[run.count++] = *cell;
            break;
        }
        case '[': {
            CELL;
            if (*cell > 0) {
                if (depth == deepest) {
                    run.end = bf_switch_off_tape;
                    goto finished;
                }
                ++depth;
            } else if (partner[pc] == none) {
                goto finished; /* skipping a loop that is never closed ends the run */
            } else {
                pc = partner[pc];
            }
            break;
        }
        case ']': {
            CELL;
            if (*cell > 0 && depth > 0 && partner[pc] != none)
                pc = partner[pc];
            else if (depth > 0)
                --depth;
            break;
        }
        }
    }
finished:
#undef CELL
#undef ADD
    run.steps = steps;
    free(code);
    free(partner);
    return run;
}
