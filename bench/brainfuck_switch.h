/* A plain switch interpreter written in C: the Brainfuck engine's yardstick. */
#ifndef QUIRLWERK_BRAINFUCK_SWITCH_H
#define QUIRLWERK_BRAINFUCK_SWITCH_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum bf_switch_end { bf_switch_done, bf_switch_bound, bf_switch_printed_enough, bf_switch_off_tape, bf_switch_overflow };

struct bf_switch_run {
    enum bf_switch_end end;
    long long steps;
    int32_t* printed; /* malloc'd, `count` values; the caller frees it */
    long long count;
};

/* Runs the program (any characters; only the seven commands count) by the product's rules. */
struct bf_switch_run bf_switch_interpret(const char* program, size_t length, long long max_steps);

#ifdef __cplusplus
}
#endif

#endif
