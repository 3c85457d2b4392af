// Minimal automata over byte sequences and their double-array layout.
//
// The lookups that read these arrays (the special word lists and the ending
// table) walk a word W as: s = W[0], accept the step when check[s] == W[0];
// then for each next symbol x: s = (base[s] + x) mod 65536, check[s] == x.
// The root's base is 0, so the root's children sit at their own symbols. Every
// sequence ends with its own terminator (the end mark), so acceptance needs no
// final flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnik::tools {

struct Automaton {
    struct Transition {
        uint8_t symbol;
        uint32_t target;
    };
    // State 0 is the root; transitions are sorted by symbol.
    std::vector<std::vector<Transition>> states;
};

// The minimal automaton accepting exactly `sequences`, which must be sorted
// (unsigned byte order) and unique; equal right languages share one state.
// Throws std::invalid_argument on unsorted or repeated input.
Automaton BuildMinimalAutomaton(const std::vector<std::vector<uint8_t>>& sequences);

struct DoubleArray {
    std::vector<uint16_t> base;
    std::vector<uint8_t> check;
};

// Lays the automaton out. Each state gets one base (the root 0, every other
// state a distinct base of at least 1, so no other slot can pass for a root
// child); each edge occupies the slot parent base + symbol, which holds the
// symbol as its check and the target's base. A state shared by several parents
// is thus stored once, below all of them. Throws std::length_error when the
// layout would need more than `maxSlots` slots (at most 65536).
DoubleArray PackDoubleArray(const Automaton& automaton, size_t maxSlots = 65536);

}  // namespace tarnik::tools
