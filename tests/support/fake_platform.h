// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A platform without a window system, for the window objects' tests and the fuzz targets:
// views are empty; the message box keeps the texts it was asked to show and, while it is
// "open", runs what a real modal box's event loop would; and a window's close box can be
// pressed, which reaches the form as the renderer reports it. Drawing is left to the renderer's
// own tests.
#pragma once

#include "forms/element.h"
#include "forms/form.h"
#include "forms/platform.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FakeMessageBox final : public forms::MessageBox {
  public:
    std::vector<std::u16string> shown;
    std::function<void()> whileOpen;

    void show(std::u16string_view text) override {
        shown.emplace_back(text);
        if (whileOpen)
            whileOpen();
    }
};

class FakePlatform final : public forms::Platform {
  public:
    FakeMessageBox messages;
    std::vector<std::u16string> announced; // by every window, in order

    std::unique_ptr<forms::View> createView(const forms::FaceDesign& face,
                                            forms::Form& form) override {
        return std::make_unique<FakeView>(views_, announced, face.window.name, form);
    }
    forms::MessageBox& messageBox() override { return messages; }

    // The user closes the window of that name with its close box: the window is hidden, then
    // its form is told, which may destroy the window.
    void closeBox(std::string_view window) {
        const auto view = std::ranges::find(views_, window, &FakeView::window);
        if (view == views_.end())
            return;
        forms::Form& form = (*view)->form;
        if (auto* element = dynamic_cast<forms::Window*>(form.find(window)))
            element->setVisible(false);
        form.closedByUser();
    }

  private:
    struct FakeView final : forms::View {
        FakeView(std::vector<FakeView*>& views, std::vector<std::u16string>& announced,
                 std::string_view window, forms::Form& form)
            : views(views), announced(announced), window(window), form(form) {
            views.push_back(this);
        }
        ~FakeView() override { std::erase(views, this); }
        void announce(std::u16string_view text) override { announced.emplace_back(text); }
        std::vector<FakeView*>& views;
        std::vector<std::u16string>& announced;
        std::string window;
        forms::Form& form;
    };
    std::vector<FakeView*> views_;
};
