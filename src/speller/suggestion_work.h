// The work one request for suggestions may do.
//
// A search for suggestions counts its work in steps: every dictionary lookup of
// a candidate and every node of a walk over spellings is one step. Each step is
// taken before it is done, and once the request's bound is spent every search
// stops where it is and the request answers with what it has found. So no word,
// however long or repetitive ("hhhh...", "żżżż...", a hundred hyphenated parts),
// costs more than the bound: the searches' own limits (candidates, trials) stop
// normal words long before it, and only runaway searches reach it.
#pragma once

#include <cstdint>

namespace tarnik {

// Steps of one request. A normal word takes a few thousand, the longest about
// 50,000 (konstantynopolitańczykowianeczka typed without diacritics: 38,000); a
// step takes a fraction of a microsecond, so the bound answers within about
// 20 ms of CPU on the build machine (docs/performance.md gives the figures).
inline constexpr uint32_t kSuggestionWorkBound = 80000;

class SuggestionWork {
  public:
    explicit SuggestionWork(uint32_t bound = kSuggestionWorkBound) : bound_(bound) {}

    // Takes `steps` steps; false, taking none, when they would pass the bound:
    // the search stops there, and so does every search of the request after it.
    bool Take(uint32_t steps = 1) {
        if (bound_ - spent_ < steps) {
            stopped_ = true;
            return false;
        }
        spent_ += steps;
        return true;
    }

    // Whether a search was stopped at the bound.
    bool Stopped() const { return stopped_; }
    uint32_t Spent() const { return spent_; }
    uint32_t Bound() const { return bound_; }

  private:
    uint32_t bound_;
    uint32_t spent_ = 0;
    bool stopped_ = false;
};

}  // namespace tarnik
