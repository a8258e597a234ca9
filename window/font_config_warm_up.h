#pragma once

#include <thread>

namespace window {

// Reads the system's font configuration and font cache on a thread of its own, so that the
// window's first font finds them ready. Start it before the application object and wait for it
// before the first widget; where fontconfig is not used (Windows), it does nothing.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;
    ~FontConfigWarmUp();

    // Returns once the configuration is loaded.
    void Wait();

private:
    std::thread m_thread;
};

}  // namespace window
