// A platform without a window system: views are empty, and the message box records what
// it was asked to show.
#pragma once

#include "forms/platform.h"

#include <string>
#include <vector>

class FakeMessageBox final : public forms::MessageBox {
  public:
    std::vector<std::u16string> shown;
    void show(std::u16string_view text) override { shown.emplace_back(text); }
};

class FakePlatform final : public forms::Platform {
  public:
    FakeMessageBox messages;
    int viewsCreated = 0;

    std::unique_ptr<forms::View> createView(const forms::FaceDesign&, forms::Form&) override {
        ++viewsCreated;
        return std::make_unique<forms::View>();
    }
    forms::MessageBox& messageBox() override { return messages; }
};
