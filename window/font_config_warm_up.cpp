#include "window/font_config_warm_up.h"

#if defined(CAESAR_HAS_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace window {

namespace {

std::thread StartWarmUp() {
#if defined(CAESAR_HAS_FONTCONFIG)
    // FcInit is what Qt's font database calls first; once it has run, Qt's call returns at once.
    return std::thread([] { FcInit(); });
#else
    return {};
#endif
}

}  // namespace

FontConfigWarmUp::FontConfigWarmUp() : m_thread(StartWarmUp()) {}

FontConfigWarmUp::~FontConfigWarmUp() { Wait(); }

void FontConfigWarmUp::Wait() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace window
