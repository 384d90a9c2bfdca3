// Counts the paint events of the face canvases and the display lines and prints the rates to
// stderr once a second, when POKOTAMA_COUNT_PAINTS is set at start; otherwise each paint costs
// one flag test. Reading the numbers is left to the benchmark that asked for them.
#pragma once

namespace forms::qt {

class PaintCounter {
  public:
    // Reads the environment once; needs a QCoreApplication when counting is asked for.
    static void startIfAsked();
    static void canvasPainted() {
        if (enabled_)
            ++canvas_;
    }
    static void textPainted() {
        if (enabled_)
            ++text_;
    }

  private:
    static inline bool enabled_ = false;
    static inline int canvas_ = 0;
    static inline int text_ = 0;
};

} // namespace forms::qt
