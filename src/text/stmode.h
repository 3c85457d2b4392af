// stmode: holds the host's tool mode for a scope. Construction switches to the
// wanted mode when it differs from the current one; destruction switches back to
// the mode found at construction when the current one differs from it.
#pragma once

#include <cstdint>

namespace tarnik {

class stmode {
  public:
    explicit stmode(int16_t wanted);
    ~stmode();
    stmode(const stmode&) = delete;
    stmode& operator=(const stmode&) = delete;

  private:
    int16_t kept_;
    int16_t wanted_;
};

}  // namespace tarnik
