#include "core/glide.h"

namespace glide {

State step(State s, const Limits &limits)
{
    // Every sum is a float, so each is rounded to single precision before it is compared.
    if (s.direction == Right) {
        s.left = s.left + kStep;
        const float rightEdge = limits.labelWidth + s.left;
        const float rightLimit = limits.formWidth - kMargin;
        if (rightEdge > rightLimit)
            s.direction = Left;
    } else {
        s.left = s.left - kStep;
        const float leftLimit = limits.imageWidth + limits.imageLeft + kMargin;
        if (s.left < leftLimit)
            s.direction = Right;
    }
    return s;
}

} // namespace glide
