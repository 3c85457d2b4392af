#include "tools/container/double_array.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace tarnik::tools {

namespace {

// Incremental construction of a minimal automaton from sorted input: the path
// of the previous sequence stays open; when the next sequence leaves it, the
// abandoned tail is minimised bottom-up against a register of finished states.
class MinimalAutomatonBuilder {
  public:
    MinimalAutomatonBuilder() { states_.emplace_back(); }

    void Add(const std::vector<uint8_t>& sequence) {
        uint32_t state = 0;
        size_t i = 0;
        while (i < sequence.size() && !states_[state].empty() &&
               states_[state].back().symbol == sequence[i]) {
            state = states_[state].back().target;
            ++i;
        }
        if (i == sequence.size()) {
            throw std::invalid_argument("repeated sequence, or one that is a prefix of another");
        }
        if (!states_[state].empty()) {
            if (states_[state].back().symbol > sequence[i]) {
                throw std::invalid_argument("sequences are not sorted");
            }
            Minimise(state);
        } else if (state != 0) {
            throw std::invalid_argument("a sequence is a prefix of another");
        }
        for (; i < sequence.size(); ++i) {
            uint32_t next = static_cast<uint32_t>(states_.size());
            states_.emplace_back();
            states_[state].push_back({sequence[i], next});
            state = next;
        }
    }

    Automaton Finish() {
        Minimise(0);
        // Renumber the reachable states breadth-first from the root.
        std::vector<uint32_t> number(states_.size(), UINT32_MAX);
        std::vector<uint32_t> order{0};
        number[0] = 0;
        for (size_t k = 0; k < order.size(); ++k) {
            for (const Automaton::Transition& t : states_[order[k]]) {
                if (number[t.target] == UINT32_MAX) {
                    number[t.target] = static_cast<uint32_t>(order.size());
                    order.push_back(t.target);
                }
            }
        }
        Automaton result;
        result.states.resize(order.size());
        for (size_t k = 0; k < order.size(); ++k) {
            for (Automaton::Transition t : states_[order[k]]) {
                t.target = number[t.target];
                result.states[k].push_back(t);
            }
        }
        return result;
    }

  private:
    // Folds the open path below `state` bottom-up: each state on it is replaced
    // by an equivalent registered one, or registered itself.
    void Minimise(uint32_t state) {
        std::vector<uint32_t> path{state};
        for (uint32_t s = state; !states_[s].empty();) {
            s = states_[s].back().target;
            path.push_back(s);
        }
        for (size_t k = path.size() - 1; k > 0; --k) {
            auto [it, inserted] = register_.emplace(Signature(path[k]), path[k]);
            if (!inserted)
                states_[path[k - 1]].back().target = it->second;
        }
    }

    std::string Signature(uint32_t state) const {
        std::string key;
        for (const Automaton::Transition& t : states_[state]) {
            key.push_back(static_cast<char>(t.symbol));
            key.append(reinterpret_cast<const char*>(&t.target), sizeof t.target);
        }
        return key;
    }

    std::vector<std::vector<Automaton::Transition>> states_;
    std::unordered_map<std::string, uint32_t> register_;
};

}  // namespace

Automaton BuildMinimalAutomaton(const std::vector<std::vector<uint8_t>>& sequences) {
    MinimalAutomatonBuilder builder;
    for (const std::vector<uint8_t>& sequence : sequences) {
        if (sequence.empty())
            throw std::invalid_argument("empty sequence");
        builder.Add(sequence);
    }
    return builder.Finish();
}

DoubleArray PackDoubleArray(const Automaton& automaton, size_t maxSlots) {
    maxSlots = std::min<size_t>(maxSlots, 65536);
    const auto& states = automaton.states;
    std::vector<int32_t> baseOf(states.size(), -1);
    std::vector<bool> slotUsed(maxSlots, false);
    std::vector<bool> baseUsed(maxSlots, false);
    size_t slotsNeeded = 0;

    auto occupy = [&](const std::vector<Automaton::Transition>& transitions, int32_t base) {
        for (const Automaton::Transition& t : transitions) {
            slotUsed[base + t.symbol] = true;
            slotsNeeded = std::max<size_t>(slotsNeeded, base + t.symbol + 1);
        }
        baseUsed[base] = true;
    };
    if (states.empty())
        return {};
    baseOf[0] = 0;
    occupy(states[0], 0);

    // First fit, in breadth-first order; the scan starts at the lowest slot
    // that may still be free.
    size_t firstFree = 0;
    for (size_t s = 1; s < states.size(); ++s) {
        const auto& transitions = states[s];
        if (transitions.empty()) {
            baseOf[s] = 0;  // never read: nothing follows the end mark
            continue;
        }
        while (firstFree < maxSlots && slotUsed[firstFree])
            ++firstFree;
        int32_t lowest = transitions.front().symbol;
        int32_t base = std::max<int32_t>(1, static_cast<int32_t>(firstFree) - lowest);
        for (;; ++base) {
            if (base + transitions.back().symbol >= static_cast<int32_t>(maxSlots)) {
                throw std::length_error("double array needs more than " + std::to_string(maxSlots) +
                                        " states");
            }
            if (baseUsed[base])
                continue;
            bool fits = std::all_of(transitions.begin(), transitions.end(),
                                    [&](const auto& t) { return !slotUsed[base + t.symbol]; });
            if (fits)
                break;
        }
        baseOf[s] = base;
        occupy(transitions, base);
    }

    DoubleArray result;
    result.base.assign(slotsNeeded, 0);
    result.check.assign(slotsNeeded, 0);
    for (size_t s = 0; s < states.size(); ++s) {
        for (const Automaton::Transition& t : states[s]) {
            size_t slot = static_cast<size_t>(baseOf[s]) + t.symbol;
            result.check[slot] = t.symbol;
            result.base[slot] = static_cast<uint16_t>(baseOf[t.target]);
        }
    }
    return result;
}

}  // namespace tarnik::tools
