#include "platform/sound.h"

namespace platform {

Sound& Sound::none() {
    static Sound nothing;
    return nothing;
}

} // namespace platform
