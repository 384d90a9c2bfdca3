// A platform without a window system for the fuzz targets: views are empty, and the message
// box keeps the texts it was asked to show and, while it is "open", runs what a real modal
// box's event loop would (the timers go on ticking).
#pragma once

#include "forms/platform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class HeadlessMessageBox final : public forms::MessageBox {
  public:
    std::vector<std::u16string> shown;
    std::function<void()> whileOpen;

    void show(std::u16string_view text) override {
        shown.emplace_back(text);
        if (whileOpen)
            whileOpen();
    }
};

class HeadlessPlatform final : public forms::Platform {
  public:
    HeadlessMessageBox messages;

    std::unique_ptr<forms::View> createView(const forms::FaceDesign&, forms::Form&) override {
        return std::make_unique<forms::View>();
    }
    forms::MessageBox& messageBox() override { return messages; }
};
